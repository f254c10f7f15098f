#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace keno {

// What a game window shows, as its engines leave it. Engines write it; the window draws it after
// every operation and every paced step. Controls, labels and timers are named by their design
// names (objectName of the widget: "start", "panelbank", "Timer1", "winns_3", ...).

enum class SquarePicture { None, Marked, Hit };              // no picture, X(0), X(1)
enum class SquareBackground { Black, NearBlack, White, LightGrey };
enum class SquareText { Blue, OrangeRed, Red };

struct SquareView {
    SquarePicture picture = SquarePicture::None;
    SquareBackground background = SquareBackground::Black;
    SquareText text = SquareText::Blue;
    bool operator==(const SquareView&) const = default;
};

// A ball of the rack, in window twips (Left/Top of the ball image).
struct BallView {
    bool visible = false;
    int left = 0;
    int top = 0;
    int number = 0;
    bool operator==(const BallView&) const = default;
};

struct ControlView {
    bool enabled = true;
    bool visible = true;
};

class ViewModel {
public:
    static constexpr int kSquares = 80;
    static constexpr int kBalls = 22;

    SquareView& Square(int number) { return squares_.at(number); }
    const SquareView& Square(int number) const { return squares_.at(number); }
    BallView& Ball(int position) { return balls_.at(position); }
    const BallView& Ball(int position) const { return balls_.at(position); }

    void Enable(std::string_view control, bool enabled) { controls_[std::string(control)].enabled = enabled; }
    void Show(std::string_view control, bool visible) { controls_[std::string(control)].visible = visible; }
    bool Enabled(std::string_view control) const { return Control(control).enabled; }
    bool Visible(std::string_view control) const { return Control(control).visible; }
    ControlView Control(std::string_view control) const {
        auto it = controls_.find(std::string(control));
        return it == controls_.end() ? ControlView{} : it->second;
    }

    void SetText(std::string_view label, std::string text) { texts_[std::string(label)] = std::move(text); }
    std::string Text(std::string_view label) const {
        auto it = texts_.find(std::string(label));
        return it == texts_.end() ? std::string() : it->second;
    }

    void SetTimer(std::string_view timer, bool running) { timers_[std::string(timer)] = running; }
    bool TimerRunning(std::string_view timer) const {
        auto it = timers_.find(std::string(timer));
        return it != timers_.end() && it->second;
    }

    const std::map<std::string, ControlView, std::less<>>& Controls() const { return controls_; }
    const std::map<std::string, std::string, std::less<>>& Texts() const { return texts_; }
    const std::map<std::string, bool, std::less<>>& Timers() const { return timers_; }

private:
    std::array<SquareView, kSquares + 1> squares_{};  // index 1..80
    std::array<BallView, kBalls + 1> balls_{};        // index 1..22
    std::map<std::string, ControlView, std::less<>> controls_;
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, bool, std::less<>> timers_;
};

}  // namespace keno
