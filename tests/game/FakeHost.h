#pragma once
// A Host for turn-cycle tests: it writes every call into a transcript, answers questions from a
// queue (Yes/OK when the queue is empty) and lets a test look on when a window or screen opens.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/GameGlobals.h"
#include "game/Host.h"

namespace tei::test {

class FakeHost : public Host {
public:
    explicit FakeHost(GameGlobals& g) : g_(g) {}

    void notify(const std::string& text) override { log.push_back("notify " + text); }
    bool askYesNo(const std::string& text) override { return answer("ask " + text); }
    bool askOkCancel(const std::string& text) override { return answer("confirm " + text); }
    void showMessageWindow(const WindowPages& window) override {
        log.push_back("window " + std::to_string(numberOf(window.mode)) + " " + std::to_string(g_.detailId));
        if (onWindow) onWindow(window);
    }
    void showStrategy() override {
        log.push_back("strategy " + std::to_string(g_.textNo));
        if (decide) g_.dialogResult = 1;
    }
    void showFactionDetail() override { log.push_back("faction " + std::to_string(g_.detailId) + " " + g_.msgText); }
    void showFactionList() override { log.push_back("faction list"); }
    void showSaveLoad() override {
        log.push_back("saveload " + std::to_string(numberOf(g_.gameMode)));
        if (onSaveLoad) onSaveLoad();
    }
    void endProgram() override { log.push_back("end"); }
    void reportFileError(const FileError& e) override { log.push_back("error " + e.message()); }

    // The lines of the transcript that start with a prefix.
    std::vector<std::string> lines(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& l : log)
            if (l.rfind(prefix, 0) == 0) out.push_back(l);
        return out;
    }

    std::vector<std::string> log;
    std::deque<bool> answers;
    std::function<void(const WindowPages&)> onWindow;
    std::function<void()> onSaveLoad;
    bool decide = false;

private:
    bool answer(const std::string& line) {
        bool a = true;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        log.push_back(line + (a ? " -> yes" : " -> no"));
        return a;
    }
    GameGlobals& g_;
};

}  // namespace tei::test
