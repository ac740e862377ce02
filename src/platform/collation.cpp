#include "platform/collation.h"

#include "common/textcode.h"

#include <QCollator>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <numeric>
#include <system_error>
#include <thread>

namespace lexicana {

namespace {

constexpr const char* kCodec = "windows-31j";
// Below this many bytes of text one thread computes every key: a second
// thread with its own collator pays off from a few thousand short texts.
constexpr std::size_t kParallelBytes = 64 * 1024;

QCollator JapaneseCollator()
{
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// A decoder of the document's code.
QStringDecoder DocumentDecoder()
{
    return DocumentTextCode() == TextCode::Utf8 ? QStringDecoder(QStringConverter::Utf8) : QStringDecoder(kCodec);
}

// Decodes one text; the decoder is reset so that a stray lead byte at the
// end of one text does not reach into the next.
QString Decode(QStringDecoder& decoder, std::string_view sjis)
{
    decoder.resetState();
    return decoder(QByteArrayView(sjis.data(), static_cast<qsizetype>(sjis.size())));
}

// The collation keys of texts[first .. last), with a collator and decoder of
// its own (a collator must not be used by two threads at once).
std::vector<QCollatorSortKey> SortKeys(
    const std::vector<std::string_view>& texts, std::size_t first, std::size_t last)
{
    const QCollator collator = JapaneseCollator();
    QStringDecoder decoder = DocumentDecoder();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(last - first);
    for (std::size_t i = first; i < last; ++i)
        keys.push_back(collator.sortKey(Decode(decoder, texts[i])));
    return keys;
}

// Whether the texts already stand in ascending collation order, as the
// records of a glossary do once it has been sorted and saved: comparing
// neighbours costs far less than a key per text and gives the same answer,
// the collator's comparison and its keys ordering alike.
bool InCollatedOrder(const std::vector<std::string_view>& texts)
{
    if (texts.size() < 2)
        return true;
    const QCollator collator = JapaneseCollator();
    QStringDecoder decoder = DocumentDecoder();
    QString previous = Decode(decoder, texts[0]);
    for (std::size_t i = 1; i < texts.size(); ++i) {
        QString current = Decode(decoder, texts[i]);
        if (collator.compare(previous, current) > 0)
            return false;
        previous.swap(current);
    }
    return true;
}

struct JoinOnExit {
    std::thread& thread;
    ~JoinOnExit()
    {
        if (thread.joinable())
            thread.join();
    }
};

} // namespace

int CompareCollated(std::string_view a, std::string_view b)
{
    static thread_local QCollator collator = JapaneseCollator();
    static thread_local QStringDecoder sjisDecoder(kCodec);
    static thread_local QStringDecoder utf8Decoder(QStringConverter::Utf8);
    QStringDecoder& decoder = DocumentTextCode() == TextCode::Utf8 ? utf8Decoder : sjisDecoder;
    const QString left = Decode(decoder, a);
    const QString right = Decode(decoder, b);
    return collator.compare(left, right);
}

std::vector<std::size_t> StableCollatedOrder(const std::vector<std::string_view>& texts)
{
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    if (InCollatedOrder(texts))
        return order;
    // Computing the keys is the costly part of a sort of long texts; a
    // second thread computes the second half of them when there is a lot.
    std::size_t bytes = 0;
    for (std::string_view text : texts)
        bytes += text.size();
    std::size_t half = bytes >= kParallelBytes && std::thread::hardware_concurrency() > 1 ? texts.size() / 2
                                                                                          : texts.size();
    std::vector<QCollatorSortKey> second;
    std::thread helper;
    if (half < texts.size()) {
        try {
            helper = std::thread([&texts, &second, half] { second = SortKeys(texts, half, texts.size()); });
        } catch (const std::system_error&) {
            half = texts.size(); // no thread to be had: one does it all
        }
    }
    std::vector<QCollatorSortKey> first;
    {
        JoinOnExit join { helper };
        first = SortKeys(texts, 0, half);
    }

    auto key
        = [&](std::size_t i) -> const QCollatorSortKey& { return i < half ? first[i] : second[i - half]; };
    std::stable_sort(
        order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a).compare(key(b)) < 0; });
    return order;
}

} // namespace lexicana
