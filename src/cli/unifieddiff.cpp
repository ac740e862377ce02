#include "cli/unifieddiff.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace lexicana {

namespace {

using Lines = std::vector<std::string_view>;

// The lines of text, each with its "\n" (the last one may lack it).
Lines SplitKeepingEnds(const std::string& text)
{
    Lines lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t nl = text.find('\n', from);
        const std::size_t end = nl == std::string::npos ? text.size() : nl + 1;
        lines.emplace_back(text.data() + from, end - from);
        from = end;
    }
    return lines;
}

enum class Op : char { Keep = ' ', Remove = '-', Add = '+' };

// Beyond this many differing lines the changed middle is shown as removed
// and added as a whole, which keeps time and memory bounded.
constexpr int kMaxEditDistance = 2000;

// The shortest edit script of a[ab, ae) into b[bb, be) (Myers' greedy
// algorithm; round d keeps its furthest points of diagonals -d..d for the
// way back).
void MiddleScript(const Lines& a, int ab, int ae, const Lines& b, int bb, int be, std::vector<Op>& ops)
{
    const int n = ae - ab, m = be - bb, offset = n + m + 1;
    std::vector<std::vector<int>> trace;
    std::vector<int> v(2 * static_cast<std::size_t>(offset) + 1, 0);
    int found = -1;
    for (int d = 0; d <= n + m && d <= kMaxEditDistance && found < 0; ++d) {
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                                   : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && a[ab + x] == b[bb + y])
                ++x, ++y;
            v[offset + k] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
        trace.emplace_back(v.begin() + (offset - d), v.begin() + (offset + d + 1));
    }
    if (found < 0) {
        ops.insert(ops.end(), n, Op::Remove);
        ops.insert(ops.end(), m, Op::Add);
        return;
    }
    std::vector<Op> reversed;
    int x = n, y = m;
    for (int d = found; d > 0; --d) {
        // Round d - 1 kept diagonals -(d - 1)..d - 1 from index 0.
        const std::vector<int>& prev = trace[d - 1];
        const auto at = [&](int diagonal) { return prev[diagonal + d - 1]; };
        const int k = x - y;
        const bool down = k == -d || (k != d && at(k - 1) < at(k + 1));
        const int prevK = down ? k + 1 : k - 1;
        const int prevX = at(prevK), prevY = prevX - prevK;
        while (x > prevX && y > prevY)
            reversed.push_back(Op::Keep), --x, --y;
        reversed.push_back(down ? Op::Add : Op::Remove);
        x = prevX, y = prevY;
    }
    while (x > 0 && y > 0)
        reversed.push_back(Op::Keep), --x, --y;
    ops.insert(ops.end(), reversed.rbegin(), reversed.rend());
}

std::string Range(int start, int count)
{
    // An empty range names the line before it, as diff does.
    const int first = count == 0 ? start : start + 1;
    return count == 1 ? std::to_string(first) : std::to_string(first) + "," + std::to_string(count);
}

} // namespace

std::string UnifiedDiff(
    const std::string& name, const std::string& before, const std::string& after, bool colour)
{
    if (before == after)
        return std::string();
    const Lines a = SplitKeepingEnds(before), b = SplitKeepingEnds(after);
    int prefix = 0;
    while (prefix < static_cast<int>(std::min(a.size(), b.size())) && a[prefix] == b[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < static_cast<int>(std::min(a.size(), b.size())) - prefix
        && a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    std::vector<Op> ops(prefix, Op::Keep);
    MiddleScript(
        a, prefix, static_cast<int>(a.size()) - suffix, b, prefix, static_cast<int>(b.size()) - suffix, ops);
    ops.insert(ops.end(), suffix, Op::Keep);

    const char* red = colour ? "\x1b[31m" : "";
    const char* green = colour ? "\x1b[32m" : "";
    const char* cyan = colour ? "\x1b[36m" : "";
    const char* bold = colour ? "\x1b[1m" : "";
    const char* reset = colour ? "\x1b[m" : "";
    std::string out
        = std::string(bold) + "--- a/" + name + reset + "\n" + bold + "+++ b/" + name + reset + "\n";

    constexpr int kContext = 3;
    const int total = static_cast<int>(ops.size());
    // Where the walk stands and the line numbers there, carried from hunk
    // to hunk.
    int counted = 0, aLine = 0, bLine = 0;
    int i = 0;
    while (i < total) {
        while (i < total && ops[i] == Op::Keep)
            ++i;
        if (i == total)
            break;
        // A hunk: from kContext lines before this change to kContext lines
        // after the last change that lies within 2 * kContext of the next.
        int start = std::max(0, i - kContext);
        int end = i;
        while (true) {
            while (end < total && ops[end] != Op::Keep)
                ++end;
            int keep = end;
            while (keep < total && ops[keep] == Op::Keep)
                ++keep;
            if (keep < total && keep - end <= 2 * kContext)
                end = keep;
            else
                break;
        }
        const int stop = std::min(total, end + kContext);
        // Line numbers where the hunk starts in each text.
        for (; counted < start; ++counted) {
            aLine += ops[counted] != Op::Add;
            bLine += ops[counted] != Op::Remove;
        }
        int aCount = 0, bCount = 0;
        for (int j = start; j < stop; ++j) {
            aCount += ops[j] != Op::Add;
            bCount += ops[j] != Op::Remove;
        }
        out += std::string(cyan) + "@@ -" + Range(aLine, aCount) + " +" + Range(bLine, bCount) + " @@" + reset
            + "\n";
        int ai = aLine, bi = bLine;
        for (int j = start; j < stop; ++j) {
            std::string_view line;
            const char* colourOn = "";
            if (ops[j] == Op::Add) {
                line = b[bi++];
                colourOn = green;
            } else {
                line = a[ai++];
                if (ops[j] == Op::Remove)
                    colourOn = red;
                else
                    ++bi;
            }
            const bool ended = !line.empty() && line.back() == '\n';
            out += colourOn;
            out += static_cast<char>(ops[j]);
            out.append(line.data(), ended ? line.size() - 1 : line.size());
            out += reset;
            out += '\n';
            if (!ended)
                out += "\\ No newline at end of file\n";
        }
        i = stop;
    }
    return out;
}

} // namespace lexicana
