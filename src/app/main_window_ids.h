#pragma once

// Control ids of the main window, kept so that tests and tools can find each control.
inline constexpr int kOpenTrackButton = 1027;
inline constexpr int kReloadButton = 1062;
inline constexpr int kSaveTrackButton = 1026;
inline constexpr int kSaveAsButton = 1029;
inline constexpr int kPageTabs = 1028;
inline constexpr int kFrameRateStatic = 1041;
inline constexpr int kEnvironmentLabel = 1061;
// The line of block, selection and cursor-cell counts beside the frame rate.
inline constexpr int kStatusLine = 2001;
