#include "window/CommandLine.h"

#include "map/Settings.h"
#include "gps/GpsSources.h"
#include "gps/GpsdSource.h"
#include "base/DevicePath.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>
#include <vector>

namespace {

// Every text a user reads here is English, then Vietnamese on the next line.
QString Bilingual(const char* english, const char* vietnamese)
{
    return QString::fromUtf8(english) + '\n' + QString::fromUtf8(vietnamese);
}

QString Refusal(const QString& english, const QString& vietnamese)
{
    return QStringLiteral("korvane: %1\nkorvane: %2\nTry 'korvane --help'. / Xem 'korvane --help'.\n")
        .arg(english, vietnamese);
}

// An option and the step that takes its value (empty for a flag) into the
// start options; the step returns a refusal message, or an empty string.
struct OptionRow {
    QCommandLineOption option;
    std::function<QString(const QString& value, StartOptions& options)> take;
};

constexpr int kMaxClientSide = 10000;

QString TakeWindowSize(const QString& value, StartOptions& options)
{
    static const QRegularExpression kSize(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = kSize.match(value);
    const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
    if (width < kMinWindowWidth || height < kMinWindowHeight || width > kMaxClientSide || height > kMaxClientSide) {
        return Refusal(QStringLiteral("bad size '%1': give WIDTHxHEIGHT, at least %2x%3 and at most %4 pixels a side")
                           .arg(value)
                           .arg(kMinWindowWidth)
                           .arg(kMinWindowHeight)
                           .arg(kMaxClientSide),
                       QStringLiteral("kích thước sai '%1': cần RỘNGxCAO, ít nhất %2x%3, nhiều nhất %4 điểm ảnh mỗi cạnh")
                           .arg(value)
                           .arg(kMinWindowWidth)
                           .arg(kMinWindowHeight)
                           .arg(kMaxClientSide));
    }
    options.windowSize = QSize(width, height);
    return {};
}

// A receiver log to replay, or gpsd ("gpsd:", "gpsd:host:port").
QString TakeGps(const QString& value, StartOptions& options)
{
    if (NamesGpsd(value)) {
        const QString address = value.mid(5).trimmed();
        options.gpsSource = address.isEmpty() ? kGpsdEntry : QStringLiteral("gpsd: ") + address;
        return {};
    }
    const QFileInfo log(value);
    if (!log.isFile() || !log.isReadable()) {
        return Refusal(QStringLiteral("cannot read the receiver log '%1'").arg(value),
                       QStringLiteral("không đọc được tệp nhật ký GPS '%1'").arg(value));
    }
    options.gpsSource = log.absoluteFilePath();
    return {};
}

QString TakeExitAfterStart(const QString&, StartOptions& options)
{
    options.exitAfterStart = true;
    return {};
}

// The options that shape the start-up, in the order the help lists them.
std::vector<OptionRow> StartOptionRows()
{
    QCommandLineOption exitAfterStart(QStringLiteral("exit-after-start"),
                                      QStringLiteral("Leave, saving the settings, once started (for tests)."));
    exitAfterStart.setFlags(QCommandLineOption::HiddenFromHelp);
    return {
        {QCommandLineOption(QStringLiteral("size"),
                            Bilingual("Open the window W × H pixels, its bars included (e.g. 240x320).",
                                      "Mở cửa sổ rộng W, cao H điểm ảnh, kể cả thanh lệnh (ví dụ 240x320)."),
                            QStringLiteral("WxH")),
         TakeWindowSize},
        {QCommandLineOption(QStringLiteral("gps"),
                            Bilingual("Follow a receiver log (FILE.nmea) or gpsd (gpsd: or gpsd:HOST:PORT).",
                                      "Theo tệp nhật ký GPS (FILE.nmea) hoặc gpsd (gpsd: hoặc gpsd:MÁY:CỔNG)."),
                            QStringLiteral("SOURCE")),
         TakeGps},
        {exitAfterStart, TakeExitAfterStart},
    };
}

const QCommandLineOption& HelpOption()
{
    static const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                         Bilingual("Show this help and exit.", "Hiện trợ giúp này rồi thoát."));
    return help;
}

const QCommandLineOption& VersionOption()
{
    static const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        Bilingual("Show the program's version and exit.", "Hiện phiên bản chương trình rồi thoát."));
    return version;
}

QString OptionNames(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? "-" : "--") + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += " <" + option.valueName() + ">";
    return text;
}

QString HelpText(const std::vector<OptionRow>& rows)
{
    std::vector<std::pair<QString, QString>> entries = {
        {QStringLiteral("MAP.kvp"),
         Bilingual("The map file to open instead of the one used last.",
                   "Tệp bản đồ cần mở thay cho bản đồ dùng lần trước.")},
        {OptionNames(HelpOption()), HelpOption().description()},
        {OptionNames(VersionOption()), VersionOption().description()},
    };
    for (const OptionRow& row : rows) {
        if (!(row.option.flags() & QCommandLineOption::HiddenFromHelp))
            entries.emplace_back(OptionNames(row.option), row.option.description());
    }
    qsizetype width = 0;
    for (const auto& entry : entries)
        width = std::max(width, entry.first.size());
    const QString indent(width + 4, ' ');

    QString text = Bilingual("Usage: korvane [options] [MAP.kvp]", "Cách dùng: korvane [tùy chọn] [BẢN_ĐỒ.kvp]") +
                   "\n\n" +
                   Bilingual("Offline street map and GPS navigation.", "Bản đồ số và dẫn đường GPS ngoại tuyến.") +
                   "\n\n";
    for (const auto& [names, description] : entries)
        text += "  " + names.leftJustified(width + 2) + QString(description).replace('\n', '\n' + indent) + '\n';
    text += '\n' + Bilingual("The settings, user places and road files are kept under $KORVANE_ROOT,\n"
                             "else $XDG_DATA_HOME/korvane (normally ~/.local/share/korvane).",
                             "Tệp cấu hình, địa danh riêng và tệp đường nằm trong $KORVANE_ROOT,\n"
                             "nếu không có thì trong $XDG_DATA_HOME/korvane (thường là ~/.local/share/korvane).") +
            '\n';
    return text;
}

QString VersionText()
{
    return QStringLiteral("korvane " KORVANE_VERSION "\n") +
           Bilingual("Offline street map and GPS navigation.", "Bản đồ số và dẫn đường GPS ngoại tuyến.") + '\n';
}

QString ParserRefusal(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return Refusal(parser.errorText(), QStringLiteral("dòng lệnh sai."));
    const QString name = (unknown.first().size() == 1 ? "-" : "--") + unknown.first();
    return Refusal(QStringLiteral("unknown option '%1'.").arg(name),
                   QStringLiteral("không có tùy chọn '%1'.").arg(name));
}

QString TakeMapFile(const QStringList& files, StartOptions& options)
{
    if (files.isEmpty())
        return {};
    if (files.size() > 1)
        return Refusal(QStringLiteral("give at most one map file."), QStringLiteral("chỉ mở được một tệp bản đồ."));
    const QFileInfo file(files.first());
    if (!file.isFile() || !file.isReadable()) {
        return Refusal(QStringLiteral("cannot read the map file '%1'.").arg(files.first()),
                       QStringLiteral("không đọc được tệp bản đồ '%1'.").arg(files.first()));
    }
    // Absolute, because the settings written at exit name it for the next start.
    options.mapFile = file.absoluteFilePath();
    return {};
}

CommandLine Answer(CommandLine::Action action, const QString& text)
{
    CommandLine result;
    result.action = action;
    result.text = text;
    return result;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    const std::vector<OptionRow> rows = StartOptionRows();
    QCommandLineParser parser;
    parser.addOption(HelpOption());
    parser.addOption(VersionOption());
    for (const OptionRow& row : rows)
        parser.addOption(row.option);
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(HelpOption()))
        return Answer(CommandLine::Action::ShowHelp, HelpText(rows));
    if (parser.isSet(VersionOption()))
        return Answer(CommandLine::Action::ShowVersion, VersionText());
    if (!parsed)
        return Answer(CommandLine::Action::Refuse, ParserRefusal(parser));

    CommandLine result;
    for (const OptionRow& row : rows) {
        if (!parser.isSet(row.option))
            continue;
        const QString value = row.option.valueName().isEmpty() ? QString() : parser.value(row.option);
        const QString refusal = row.take(value, result.options);
        if (!refusal.isEmpty())
            return Answer(CommandLine::Action::Refuse, refusal);
    }
    const QString refusal = TakeMapFile(parser.positionalArguments(), result.options);
    if (!refusal.isEmpty())
        return Answer(CommandLine::Action::Refuse, refusal);
    return result;
}

QString InstalledMapsFolder(const QString& programDir)
{
    return QDir::cleanPath(programDir + "/" KORVANE_MAPS_FROM_BINDIR);
}

QString StartMap(const StartOptions& options, const QString& programDir)
{
    if (!options.mapFile.isEmpty())
        return options.mapFile;
    if (QFileInfo::exists(NativePath(QString::fromLatin1(kSettingsReadPath))))
        return {};
    const QString installed = InstalledMapsFolder(programDir) + "/hanoi.kvp";
    return QFileInfo::exists(installed) ? installed : QString();
}
