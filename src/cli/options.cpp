#include "cli/options.h"

#include "common/translate.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace lexicana {

namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// A grid row: a whole decimal number of 1 or more.
std::optional<int> RowOfText(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < 1)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> KanjiCodeOfName(const std::string& name)
{
    const std::string n = Lower(name);
    if (n == "sjis" || n == "shift_jis")
        return 5;
    if (n == "jis")
        return 2;
    if (n == "euc" || n == "euc-jp")
        return 4;
    if (n == "utf8" || n == "utf-8")
        return 7;
    if (n == "auto")
        return -1;
    return std::nullopt;
}

std::optional<int> NewLineCodeOfName(const std::string& name)
{
    const std::string n = Lower(name);
    if (n == "crlf")
        return 1;
    if (n == "cr")
        return 2;
    if (n == "lf")
        return 3;
    if (n == "auto")
        return -1;
    return std::nullopt;
}

bool ParseCliOptions(const std::vector<std::string>& args, TCliOptions& options, std::string& error)
{
    options = TCliOptions {};
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            options.action = TCliOptions::Action::Help;
            return true;
        }
        if (arg == "-v" || arg == "--version") {
            options.action = TCliOptions::Action::Version;
            return true;
        }
        const std::pair<const char*, bool*> flags[] = {
            { "--check", &options.check },
            { "--check-terms", &options.checkTerms },
            { "--diff", &options.diff },
            { "--quiet", &options.quiet },
            { "--json", &options.json },
            { "--watch", &options.watch },
            { "--no-cache", &options.noCache },
        };
        bool isFlag = false;
        for (const auto& [flag, field] : flags)
            if (arg == flag)
                *field = isFlag = true;
        if (isFlag)
            continue;
        // Options with a value: "--name value" or "--name=value".
        std::string name = arg, value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name != "--part" && name != "--kanji" && name != "--newline" && name != "--output"
            && name != "--lock-wait") {
            error = lexicana::Tr("不明なオプションです: ") + arg;
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = FillArgs(lexicana::Tr("%1 には値が必要です"), { name });
                return false;
            }
            value = args[++i];
        }
        if (name == "--part") {
            const auto row = RowOfText(value);
            if (!row) {
                error = lexicana::Tr("--part の値は 1 以上の行番号です: ") + value;
                return false;
            }
            options.partRow = *row;
        } else if (name == "--lock-wait") {
            int seconds = -1;
            const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (value.empty() || ec != std::errc() || ptr != value.data() + value.size() || seconds < 0
                || seconds > 86400) {
                error = lexicana::Tr("--lock-wait の値は 0 から 86400 までの秒数です: ") + value;
                return false;
            }
            options.lockWaitSeconds = seconds;
        } else if (name == "--output") {
            if (value.empty()) {
                error = lexicana::Tr("--output にはフォルダを指定してください");
                return false;
            }
            options.outputDir = value;
        } else if (name == "--kanji") {
            options.kanjiCode = KanjiCodeOfName(value);
            if (!options.kanjiCode) {
                error = lexicana::Tr("--kanji の値は sjis, jis, euc, utf8, auto のどれかです: ") + value;
                return false;
            }
        } else {
            options.newLineCode = NewLineCodeOfName(value);
            if (!options.newLineCode) {
                error = lexicana::Tr("--newline の値は crlf, cr, lf, auto のどれかです: ") + value;
                return false;
            }
        }
    }
    if (files.size() != 1) {
        error = files.empty() ? lexicana::Tr("セットファイルを指定してください")
                              : lexicana::Tr("セットファイルはひとつだけ指定できます");
        return false;
    }
    options.setFile = files.front();
    if (options.watch && (options.check || options.partRow > 0)) {
        error = lexicana::Tr("--watch は --check や --part と同時に指定できません");
        return false;
    }
    if (options.checkTerms
        && (options.check || options.diff || options.watch || options.partRow > 0 || !options.outputDir.empty())) {
        error = lexicana::Tr(
            "--check-terms は --check, --diff, --output, --watch, --part と同時に指定できません");
        return false;
    }
    if (options.check && !options.outputDir.empty()) {
        error = lexicana::Tr("--check と --output は同時に指定できません");
        return false;
    }
    return true;
}

std::string CliUsageText()
{
    return lexicana::Tr(
        "使い方: lexicana-convert [オプション] セットファイル\n"
        "\n"
        "セットファイル (.lxs) の変換を、ウィンドウを開かずに実行します。\n"
        "\n"
        "  --part ROW              グリッドの行 ROW を含むパートだけを変換する\n"
        "  --kanji sjis|jis|euc|utf8|auto\n"
        "                          出力する漢字コード (auto: ページで検出したもの)\n"
        "  --newline crlf|cr|lf|auto\n"
        "                          出力する改行コード (auto: ページで検出したもの)\n"
        "  --check                 何も書き込まずに変換し、変わるページを標準出力に\n"
        "                          表示する (変わるページがあれば終了コード 1)\n"
        "  --check-terms           変換せずに用語を検査し、見つかった問題を一行ずつ\n"
        "                          標準出力に表示する (問題があれば終了コード 1)\n"
        "  --diff                  変わるページごとに unified diff を標準出力に表示する\n"
        "  --output DIR            変わるページと外部出力ファイルを、同じ相対名で\n"
        "                          DIR の下に書き出す (元のファイルは変更しない)\n"
        "  --quiet                 エラー以外は何も表示しない\n"
        "  --json                  終了時に結果を JSON で標準出力に表示する\n"
        "  --watch                 項目データ、変換テーブル、セットファイル、外部出力\n"
        "                          ファイルリストが変わるたびに変換し直す (Ctrl+C で終了)\n"
        "  --lock-wait SECONDS     同じセットを別のプログラムが変換中のとき、終わるのを\n"
        "                          待つ秒数 (既定 30、0 は待たずに終了コード 1)\n"
        "  --no-cache              前回の実行の記録を使わず、いつもすべて変換して比べる\n"
        "  -h, --help              この説明を表示する\n"
        "  -v, --version           バージョンを表示する\n"
        "\n"
        "--kanji と --newline を指定しないときは、設定に保存されたオプションを使います。\n"
        "コマンドラインからの実行は設定を書き換えません。\n"
        "メッセージは標準エラー出力に出ます。再実行の確認には「いいえ」と答え、\n"
        "そのパートをスキップします。Ctrl+C で変換を中断します (ページは常に\n"
        "変換前か変換後のどちらかの状態です)。SOURCE_DATE_EPOCH が設定されていれば\n"
        "その時刻を日付と時刻に使います。\n"
        "\n"
        "内容が変わらないページと外部出力ファイルは書き換えません (時刻もそのまま)。\n"
        "--check は外部出力ファイルを判定に含めません (日付と時刻は実行のたびに変わるため)。\n"
        "前回の実行から何も変わっていないセットの変換と --check には、ユーザーの\n"
        "キャッシュフォルダにあるその実行の記録から、同じ結果をすぐに答えます。\n"
        "\n"
        "終了コード: 0 変換が正常に終了した (--check: すべて最新, --check-terms: 問題なし),\n"
        "            1 中断または失敗 (--check: 変わるページがある, --check-terms: 問題がある),\n"
        "            2 使い方の誤りまたはセットファイルを読めない\n");
}

} // namespace lexicana
