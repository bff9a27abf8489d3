#pragma once
// The page previews show each display pixel as kPreviewScale x kPreviewScale preview pixels. At
// 96 DPI a preview pixel is a screen pixel; screen_scale.h draws the previews larger on finer
// screens, by whole screen pixels per display pixel.
constexpr int kPreviewScale = 2;
