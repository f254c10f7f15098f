#pragma once
#include <string>

namespace keno {

enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// A modal message box as the engines describe it; the window shows it and returns the answer.
struct Message {
    std::string text;
    std::string title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultButton = Answer::Ok;

    bool operator==(const Message&) const = default;
};

// The seam for modal messages: the window shows a box and blocks until it is answered; tests
// record the message and answer from a script.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual Answer Show(const Message& message) = 0;
};

}  // namespace keno
