#include "platform/settingsstore.h"

#include "common/translate.h"
#include "platform/qsjis.h"

#include <QSettings>
#include <stdexcept>

namespace lexicana {

namespace {

QString GroupOf(const std::string& keyPath)
{
    std::string root = kSettingsRootKey;
    if (keyPath.compare(0, root.size(), root) != 0)
        throw std::runtime_error(lexicana::Tr("設定の場所が正しくありません: ") + keyPath);
    std::string rest = keyPath.substr(root.size());
    while (!rest.empty() && rest.front() == '\\')
        rest.erase(0, 1);
    QString group = QString::fromStdString(rest);
    group.replace('\\', '/');
    return group;
}

const char* StatusText(QSettings::Status status)
{
    return status == QSettings::FormatError ? lexicana::TrMark("設定ファイルの形式が正しくありません")
                                            : lexicana::TrMark("設定ファイルにアクセスできません");
}

} // namespace

struct TSettingsKey::Impl {
    QSettings settings { QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Lexicana" };
    QString group;

    QString Key(const std::string& name) const
    {
        QString n = QString::fromStdString(name);
        return group.isEmpty() ? n : group + "/" + n;
    }
    void Check() const
    {
        if (settings.status() != QSettings::NoError)
            throw std::runtime_error(
                lexicana::Tr(StatusText(settings.status())) + ": " + settings.fileName().toStdString());
    }
    QVariant Value(const std::string& name) const
    {
        QVariant v = settings.value(Key(name));
        if (!v.isValid())
            throw std::runtime_error(FillArgs(lexicana::Tr("設定値 %1 がありません"), { name }));
        return v;
    }
};

TSettingsKey::TSettingsKey(std::unique_ptr<Impl> impl)
    : impl_(std::move(impl))
{
}

TSettingsKey::~TSettingsKey() = default;

std::unique_ptr<TSettingsKey> TSettingsKey::Open(const std::string& keyPath, bool create)
{
    auto impl = std::make_unique<Impl>();
    impl->group = GroupOf(keyPath);
    impl->Check();
    if (!create && !impl->group.isEmpty()) {
        impl->settings.beginGroup(impl->group);
        bool exists = !impl->settings.childKeys().isEmpty() || !impl->settings.childGroups().isEmpty();
        impl->settings.endGroup();
        if (!exists)
            throw std::runtime_error(lexicana::Tr("設定キーがありません: ") + keyPath);
    }
    return std::unique_ptr<TSettingsKey>(new TSettingsKey(std::move(impl)));
}

bool TSettingsKey::ValueExists(const std::string& name) const
{
    return impl_->settings.contains(impl_->Key(name));
}

std::string TSettingsKey::ReadString(const std::string& name) const
{
    QVariant v = impl_->Value(name);
    if (v.typeId() == QMetaType::QStringList || !v.canConvert<QString>())
        throw std::runtime_error(FillArgs(lexicana::Tr("設定値 %1 が文字列ではありません"), { name }));
    QString bad;
    auto bytes = SjisFromQString(v.toString(), &bad);
    if (!bytes)
        throw std::runtime_error(FillArgs(
            lexicana::Tr("設定値 %1 にShift_JISで表せない文字があります: %2"), { name, bad.toStdString() }));
    return *bytes;
}

int TSettingsKey::ReadInteger(const std::string& name) const
{
    QVariant v = impl_->Value(name);
    bool ok = false;
    int value = v.typeId() == QMetaType::QStringList ? 0 : v.toString().trimmed().toInt(&ok);
    if (!ok)
        throw std::runtime_error(FillArgs(lexicana::Tr("設定値 %1 が整数ではありません"), { name }));
    return value;
}

bool TSettingsKey::ReadBool(const std::string& name) const
{
    return ReadInteger(name) != 0;
}

void TSettingsKey::WriteString(const std::string& name, const std::string& value)
{
    impl_->settings.setValue(impl_->Key(name), QStringFromSjis(value));
}

void TSettingsKey::WriteInteger(const std::string& name, int value)
{
    impl_->settings.setValue(impl_->Key(name), value);
}

void TSettingsKey::WriteBool(const std::string& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void TSettingsKey::Close()
{
    impl_->settings.sync();
    impl_->Check();
}

} // namespace lexicana
