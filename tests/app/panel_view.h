// What the control panel should show, worked out in the test process with the
// same GDI and font, to compare with what the player shows.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

// Red-text mask of the top 40 rows by 300 columns: 1 where a prompt pixel is red.
using PromptMask = std::vector<std::uint8_t>;

constexpr int PromptMaskWidth = 300;
constexpr int PromptMaskHeight = 40;

// The prompts written over each other at (10, 10) on `background` (top-down
// COLORREFs, PromptMaskWidth wide): text edges blend with what is under them.
PromptMask ExpectedPrompts(const std::vector<std::uint32_t>& background, std::initializer_list<const char*> prompts);
PromptMask RedMaskOf(const std::vector<std::uint32_t>& colorrefs, int width);  // red pixels of a top-down COLORREF picture
int MaskDifference(const PromptMask& a, const PromptMask& b);             // pixels that differ
int MaskCount(const PromptMask& m);                                       // red pixels
bool NearColour(std::uint32_t a, std::uint32_t b, int tolerance);         // each channel within tolerance
