#pragma once
#include <deque>
#include <vector>

#include "core/Cue.h"
#include "core/Message.h"

namespace keno {

// Records every cue an engine plays, in order.
struct RecordingSound final : SoundSink {
    std::vector<Cue> cues;
    void Play(Cue cue) override { cues.push_back(cue); }
};

// Records every message box and answers from a script; Ok once the script is used up.
struct ScriptedMessenger final : Messenger {
    std::vector<Message> shown;
    std::deque<Answer> answers;
    Answer Show(const Message& message) override {
        shown.push_back(message);
        if (answers.empty()) return Answer::Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace keno
