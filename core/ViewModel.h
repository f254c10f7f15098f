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

// Names to their map entries without walking the tree: one hash and one compare for a name seen
// before. Entries of a std::map never move, and a view never erases one. A copy starts empty: the
// entries it would point at are the original's.
template <typename Map>
class NameIndex {
public:
    using Entry = typename Map::value_type;
    NameIndex() = default;
    NameIndex(const NameIndex&) noexcept {}
    NameIndex& operator=(const NameIndex&) noexcept {
        slots_.fill(nullptr);
        used_ = 0;
        return *this;
    }
    Entry* Find(std::string_view name) const {
        for (std::size_t i = Hash(name), probe = 0; probe < kSlots; ++probe, i = (i + 1) % kSlots) {
            if (slots_[i] == nullptr) return nullptr;
            if (slots_[i]->first == name) return slots_[i];
        }
        return nullptr;
    }
    void Add(Entry& entry) {
        if (used_ >= kSlots * 3 / 4) return;  // a view with more names walks the tree for the rest
        std::size_t i = Hash(entry.first);
        while (slots_[i] != nullptr) i = (i + 1) % kSlots;
        slots_[i] = &entry;
        ++used_;
    }

private:
    static constexpr std::size_t kSlots = 128;
    // Length and three letters: names that share a stem ("winns_1" .. "winns_7") differ at the end.
    static std::size_t Hash(std::string_view name) {
        if (name.empty()) return 0;
        const auto at = [&](std::size_t i) { return static_cast<std::size_t>(static_cast<unsigned char>(name[i])); };
        return (name.size() * 131 + at(0) * 31 + at(name.size() / 2) * 7 + at(name.size() - 1) * 17) % kSlots;
    }
    std::array<Entry*, kSlots> slots_{};
    std::size_t used_ = 0;
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

    void Enable(std::string_view control, bool enabled) { Entry(controls_, controlIndex_, control).enabled = enabled; }
    void Show(std::string_view control, bool visible) { Entry(controls_, controlIndex_, control).visible = visible; }
    bool Enabled(std::string_view control) const { return Control(control).enabled; }
    bool Visible(std::string_view control) const { return Control(control).visible; }
    ControlView Control(std::string_view control) const {
        auto it = controls_.find(std::string(control));
        return it == controls_.end() ? ControlView{} : it->second;
    }

    void SetText(std::string_view label, std::string text) { Entry(texts_, textIndex_, label) = std::move(text); }
    std::string Text(std::string_view label) const {
        auto it = texts_.find(std::string(label));
        return it == texts_.end() ? std::string() : it->second;
    }

    void SetTimer(std::string_view timer, bool running) { Entry(timers_, timerIndex_, timer) = running; }
    bool TimerRunning(std::string_view timer) const {
        auto it = timers_.find(std::string(timer));
        return it != timers_.end() && it->second;
    }

    const std::map<std::string, ControlView, std::less<>>& Controls() const { return controls_; }
    const std::map<std::string, std::string, std::less<>>& Texts() const { return texts_; }
    const std::map<std::string, bool, std::less<>>& Timers() const { return timers_; }

private:
    // The engines set a few dozen named things per game: found through the index, the map is
    // walked only for a name not seen before, and only a new name is copied into a key.
    template <typename Map>
    static typename Map::mapped_type& Entry(Map& map, NameIndex<Map>& index, std::string_view key) {
        if (auto* entry = index.Find(key)) return entry->second;
        auto it = map.find(key);
        if (it == map.end()) it = map.emplace(std::string(key), typename Map::mapped_type{}).first;
        index.Add(*it);
        return it->second;
    }

    std::array<SquareView, kSquares + 1> squares_{};  // index 1..80
    std::array<BallView, kBalls + 1> balls_{};        // index 1..22
    std::map<std::string, ControlView, std::less<>> controls_;
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, bool, std::less<>> timers_;
    NameIndex<std::map<std::string, ControlView, std::less<>>> controlIndex_;
    NameIndex<std::map<std::string, std::string, std::less<>>> textIndex_;
    NameIndex<std::map<std::string, bool, std::less<>>> timerIndex_;
};

}  // namespace keno
