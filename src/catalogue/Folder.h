// One entry of the panel and the kinds of entries.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Paths.h"

enum EntryKind : uint8_t {
    ekFile = 0,
    ekSingleFolder = 1,
    ekFolder = 2,
    ekQuickFile = 3,
    ekQuickSingleFolder = 4,
    ekQuickFolder = 5,
};

inline bool IsQuickKind(int kind) { return kind >= 3; }
inline bool IsSingleFolderKind(int kind) { return kind == ekSingleFolder || kind == ekQuickSingleFolder; }
inline bool IsFolderKind(int kind) { return kind != ekFile && kind != ekQuickFile; }

// The caption's rectangle in the panel, in pixels.
struct TextRectF {
    float X, Y, Width, Height;
};

struct TFolder {
    std::string Caption;
    // What is shown instead of Caption, when anything: the name Explorer shows (a localized
    // one), or the real name when the entry is known by its short alias.
    std::wstring WideCaption;
    TextRectF TextRect{};
    int32_t CellX = 0;
    int32_t CellY = 0;
    int32_t IconIndex = 0;
    std::string FullName;
    bool IsFolder = false;
    int32_t Recency = 0;
    uint8_t FolderType = 0;
    int32_t Number = 0;  // the slot, or the quick area's position
};

// The caption of a stored path: its last component, without a ".lnk" extension (any case).
std::string CaptionOfPath(const std::string& path);
// Shortcuts are known by their lower-cased extension ".lnk".
bool IsShortcutPath(const std::string& path);
