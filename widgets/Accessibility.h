#pragma once

namespace keno {

// Makes the painted controls readable by screen readers and drivable through the accessibility
// bus: a lit button is a push button named by its caption whose Press acts like a mouse click, a
// board square is a check box named by its number ("drawn" or "hit" in its description), a meter
// is a label named by its reading with its caption as description, and a rack ball is a label
// named by its number. Safe to call more than once; every painted control calls it when it is
// made, before Qt, once the bus is listening, asks for the control's interface and keeps it.
void InstallKenoAccessibility();

// Dynamic property of a control holding the key that clicks it ("C"), for assistive technology.
inline constexpr char kKeyProperty[] = "kenoKey";

}  // namespace keno
