// The texts the search window shows on its status bar, in its error list and on its grid.
#pragma once

#include <QString>
#include <cstdint>

namespace kestrix {

inline constexpr const char* kHitsFoundLabel = "Hits Found:";
inline constexpr const char* kTotalScanTimeLabel = "Total Scan Time:";
inline constexpr const char* kReadyText = "Ready To Find In Files!";
inline constexpr const char* kSearchStartedText = "Search In Process...";
inline constexpr const char* kProgressText = "Search In Progress. Click here to Abort.";
inline constexpr const char* kScanCompletedText = "Scan Completed";
inline constexpr const char* kScanAbortedText = "Scan Aborted";
inline constexpr const char* kTransferCompletedText = "Scan & Data Xfer Completed";
inline constexpr const char* kElapsedPendingText = "...";
inline constexpr const char* kErrorListHeader = "Error Event Messages Received";
inline constexpr const char* kErrorLinePrefix = "Error: ";
inline constexpr const char* kResultsGridHint = "Hint: Doubleclick to see file at this location";

// Panels of the status bar, numbered from 1.
enum StatusPanel { kHitsFoundPanel = 1, kHitCountPanel, kStatePanel, kScanTimeLabelPanel, kScanTimePanel };

// The elapsed time of a search: seconds in their shortest decimal form ("2", "12.345") and " (Sec)".
QString ElapsedSecondsText(std::uint32_t milliseconds);

// The error line shown when the search control cannot be created.
QString ControlMissingText(unsigned result);

}  // namespace kestrix
