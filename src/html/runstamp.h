// The record of the last whole run of a set ("run stamp"), kept in the
// user's cache, with which a run that would change nothing is answered
// without converting. It holds a key of everything the output depends on
// besides the pages (the program, the options, the environment, today's
// date, and the bytes of the set file, item data, conversion table and
// output list) and the facts of every page and external output file (size,
// time, inode, device). Only a run that found every file up to date and met
// no message is recorded, so the record says exactly that a new run would
// find the same.
#pragma once

#include <string>
#include <vector>

namespace lexicana {

class TGlobal;
struct TRunOutcome;

// What a recorded run reported: its pages (names as in their file records,
// in the order the run met them), its normal records and its word links.
struct TRunStampHit {
    std::vector<std::string> pages;
    int records = 0;
    long long links = 0;
};

// The key of everything besides files that a run's output depends on: the
// program version, the environment, every stored option as the run starts
// (stored: the settings before the set is read, with the command line's
// overrides), today's date and, with SOURCE_DATE_EPOCH, the time.
std::string RunStampSettings(const TGlobal& stored);

// True when the stamp of setFile (a document path) exists, is whole, has the
// same settings key, every input file still has the bytes it had and every
// page and output file is still the one the run left, older than the stamp
// by more than two seconds; hit then tells what that run reported.
bool RunStampHolds(const std::string& setFile, const std::string& settings, TRunStampHit& hit);

// After a whole run of setFile that wrote in place: records the run when it
// ended well and was clean (no page written, no part skipped, no message but
// the closing one), when every file it depends on was last written at least
// two seconds before runStartNs (so none can have changed while the run read
// it) and when no time of day goes into its output; otherwise removes the
// set's stamp. global: the settings after the run. True when recorded.
bool RecordRunStamp(const std::string& setFile, const std::string& settings, const TGlobal& global,
    const TRunOutcome& outcome, bool clean, long long runStartNs);

// Removes the stamp of setFile, so that its next run converts.
void ForgetRunStamp(const std::string& setFile);

} // namespace lexicana
