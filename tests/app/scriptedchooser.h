// Test stand-ins for the file and folder dialogs of the dialogs under test:
// each call is recorded and answered from a queue (an empty queue cancels).
#pragma once

#include "app/filechooser.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace lexicana::test {

struct ScriptedChooser {
    std::deque<std::vector<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::vector<TFileChoiceRequest> fileRequests;
    std::vector<TFolderChoiceRequest> folderRequests;

    TFileChooser Files()
    {
        return [this](const TFileChoiceRequest& request) {
            fileRequests.push_back(request);
            if (fileAnswers.empty())
                return std::vector<std::string>();
            std::vector<std::string> answer = fileAnswers.front();
            fileAnswers.pop_front();
            return answer;
        };
    }
    TFolderChooser Folder()
    {
        return [this](const TFolderChoiceRequest& request) {
            folderRequests.push_back(request);
            if (folderAnswers.empty())
                return std::optional<std::string>();
            std::optional<std::string> answer = folderAnswers.front();
            folderAnswers.pop_front();
            return answer;
        };
    }
};

} // namespace lexicana::test
