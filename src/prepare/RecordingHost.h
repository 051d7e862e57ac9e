// A host that keeps everything the engine shows, for tests and the bench.
#pragma once

#include "prepare/PrepareHost.h"

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace quon {

class RecordingHost : public PrepareHost {
  public:
    void showProgress(bool visible) override;
    void setLabel(int index, const std::string& text) override;
    bool pump() override;
    void inform(const std::string& text) override;
    bool ask(const std::string& text) override;
    void log(const std::string& line) override;
    void pointList(const std::string& line) override;
    uint32_t ticks() override;

    // Texts shown to the user, in order: information boxes and questions.
    std::vector<std::string> messages;
    std::vector<std::string> logLines;
    std::vector<std::string> pointLines;
    std::array<std::string, 7> labels{}; // 1..6 used
    bool progressVisible = false;
    int pumpCount = 0;

    // Answers for the questions, in order; a question past them gets
    // `laterAnswer` (No unless set).
    std::deque<bool> answers;
    bool laterAnswer = false;
    // pump() reports Cancel from this call on (0 = never).
    int cancelAtPump = 0;
    // Keep log lines (off in the bench, where nobody reads them).
    bool keepLog = true;
    // ticks() answers from the steady clock unless a fixed value is set.
    bool fixedTicks = false;
    uint32_t tickValue = 0;
};

} // namespace quon
