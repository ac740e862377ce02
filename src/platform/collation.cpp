#include "platform/collation.h"

#include <QCollator>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <numeric>

namespace lexicana {

namespace {

QCollator JapaneseCollator()
{
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Decodes one text; the decoder is reset so that a stray lead byte at the
// end of one text does not reach into the next.
QString Decode(QStringDecoder& decoder, std::string_view sjis)
{
    decoder.resetState();
    return decoder(QByteArrayView(sjis.data(), static_cast<qsizetype>(sjis.size())));
}

} // namespace

int CompareCollated(std::string_view a, std::string_view b)
{
    static thread_local QCollator collator = JapaneseCollator();
    static thread_local QStringDecoder decoder("windows-31j");
    const QString left = Decode(decoder, a);
    const QString right = Decode(decoder, b);
    return collator.compare(left, right);
}

std::vector<std::size_t> StableCollatedOrder(const std::vector<std::string_view>& texts)
{
    const QCollator collator = JapaneseCollator();
    QStringDecoder decoder("windows-31j");
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (std::string_view text : texts)
        keys.push_back(collator.sortKey(Decode(decoder, text)));
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    std::stable_sort(order.begin(), order.end(),
        [&keys](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
    return order;
}

} // namespace lexicana
