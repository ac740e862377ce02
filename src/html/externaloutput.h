// External output files: after the pages of a run, the marked blocks of
// record count, file count, date, time and versions in the files of the
// external output list are refreshed.
#pragma once

#include "common/stringlist.h"
#include "conversion/runtarget.h"

#include <functional>
#include <string>
#include <unordered_map>

namespace lexicana {

class TGlobal;

// Applies the six marked-block values of global to every file named in
// outputList (relative names against global.HTMLDir), in order, empty
// lines included; failures are shown (messages 109 and 110) and the update
// goes on. processEvents, when given, runs after every file; when it returns
// false (a cancel) the files not yet reached stay as they are.
// target says where the files go (in place, nowhere, or a folder); staged
// (when given) holds the content a run that does not write in place has
// given pages that are listed here too.
void UpdateExternalOutputFiles(const TGlobal& global, const TStringList& outputList,
    const TRunTarget& target = {}, const std::unordered_map<std::string, std::string>* staged = nullptr,
    const std::function<bool()>& processEvents = {});

} // namespace lexicana
