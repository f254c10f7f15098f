#pragma once

namespace keno {

// A sound cue is its wave resource number; None plays nothing.
enum class Cue : int {
    None = 0,
    Hit = 101,        // a drawn ball hits a marked number
    BallLands = 102,  // a ball lands (22 ball) / a ball misses (20 ball)
    Offer = 103,      // the extra balls are offered
    Startup = 104,    // window load; also the smallest 22-ball win fanfare
    WinSmall = 105,
    WinMedium = 106,
    WinBig = 107,
    Coins = 108,
    Mark = 109,       // a square is marked or unmarked
    Bet1 = 110,
    Bet2 = 111,
    Bet3 = 112,
    Bet4 = 113,
    Bet5 = 114,
    NoCredit = 115,   // no image: silent
    AutoSelect = 116, // no image: silent
};

constexpr int CueNumber(Cue c) { return static_cast<int>(c); }

// The one seam through which engines make a sound. The sound bank implements it; tests record.
class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void Play(Cue cue) = 0;
};

}  // namespace keno
