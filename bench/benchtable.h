// The glossary-like record table the benchmarks load, save, sort and show:
// 10 columns of Shift_JIS text, a file record every 200 rows.
#pragma once

#include "data/recordtable.h"
#include "platform/sjistext.h"

#include <random>
#include <string>
#include <vector>

namespace lexicana::bench {

inline std::vector<std::string> SjisWords(const std::vector<const char*>& utf8)
{
    std::vector<std::string> words;
    for (const char* w : utf8)
        words.push_back(SjisOf(w));
    return words;
}

inline TRecordTable MakeTable(int records)
{
    const std::vector<std::string> readings
        = SjisWords({ "あ", "い", "う", "か", "き", "さ", "し", "た", "な", "は", "ま", "や", "ら", "わ",
            "ア", "カ", "サ", "タ", "ナ", "ハ", "マ", "ー", "ん", "が", "ぱ" });
    const std::vector<std::string> words = SjisWords({ "用語", "説明", "表示", "検索", "辞書", "リンク",
        "ソフト", "能力", "構造", "データ", "ファイル", "変換", "項目", "記録", "索引", "本文", "見出し",
        "参照", "例", "、", "。", "（注）", "Qt", "HTML", "C:\\dir", "\"quote\"", "a,b", " " });
    std::mt19937 random(12345);
    auto pick = [&](const std::vector<std::string>& from, int count) {
        std::string s;
        for (int i = 0; i < count; ++i)
            s += from[random() % from.size()];
        return s;
    };
    const int cols = 10;
    TRecordTable table(cols, records + 1);
    table.SetRow(0, { "No", "Word", "Code", "File", "ID", "Reading", "Text", "Note", "Source", "Extra" });
    for (int row = 1; row <= records; ++row) {
        std::vector<std::string> cells(cols);
        cells[0] = std::to_string(row);
        cells[1] = pick(readings, 2 + static_cast<int>(random() % 5));
        if (row % 200 == 1) {
            cells[2] = "\\@";
            cells[3] = "page" + std::to_string(row / 200) + ".html";
            cells[4] = "p" + std::to_string(row / 200);
        }
        cells[5] = pick(readings, 3 + static_cast<int>(random() % 4));
        cells[6] = pick(words, 24 + static_cast<int>(random() % 34));
        if (random() % 4 == 0)
            cells[6] += "\r\n" + pick(words, 5);
        cells[7] = pick(words, static_cast<int>(random() % 20));
        cells[8] = pick(words, static_cast<int>(random() % 6));
        cells[9] = random() % 3 == 0 ? pick(words, 3) : "";
        table.SetRow(row, std::move(cells));
    }
    return table;
}

} // namespace lexicana::bench
