// The product's names as its windows and message boxes show them, written once.
#pragma once

// Message boxes' caption and the video window's title with nothing open.
inline constexpr char kProductName[] = "Tesmaro Player";
// The main window's title, by which a second start finds the running instance.
inline constexpr char kInstanceTitle[] = "TesmaroPlayer";
inline constexpr char kProductWebPage[] = "http://www.tesmaro.example/";
