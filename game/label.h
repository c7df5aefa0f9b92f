#pragma once
// Text pieces of the HUD: a label with its own font, scale, colour, shadow
// and formatting, and a stat label pairing a caption with a value.

#include "game/color.h"

namespace tiderush {

using vellum::String;

class TTextFormat : public vellum::TObject {
public:
    static constexpr int FORMAT_MODE_STRING = 0;
    static constexpr int FORMAT_MODE_ZERO_PADDED_INT = 100;

    int formatMode = FORMAT_MODE_STRING;
    int formatModeParam = 0;

    // The raw text as displayed: unchanged, zero-padded, or "" for an unknown mode.
    String MakeFormattedString(const String& text) const;
    void SetFormatMode(int mode, int param);
};

class TLabel : public vellum::TObject {
public:
    Ref<TColor> color;
    Ref<vellum::TImageFont> imageFont;
    float fontSize = 10.0f;
    Ref<TTextFormat> textFormat;
    float scaleX = 1.0f, scaleY = 1.0f;
    Ref<TShadow> shadow;
    String text;     // as displayed
    String textRaw;  // the value it is formatted from
    int useRendererCamera = 1;
    float x = 0.0f, y = 0.0f;  // left and top

    static Ref<TLabel> Create(const String& text, float x, float y, Ref<vellum::TImageFont> font, float scaleX,
                              float scaleY);
    void Draw();
    // Width in screen pixels; leaves the label's font current.
    float GetWidth();
    void SetColor(int r, int g, int b, float alpha);
    void SetFormatMode(int mode, int param);
    void SetShadow(float x, float y, float alpha);
    // Shows text formatted; textRaw is kept.
    void SetText(const String& newText);
    void UpdateText();
};

class TStatLabel : public vellum::TObject {
public:
    Ref<TLabel> description;
    float gapX = 10.0f;
    Ref<TLabel> stat;

    static Ref<TStatLabel> Create(const String& description, const String& stat, float x, float y,
                                  Ref<vellum::TImageFont> font, float scaleX, float scaleY);
    // Puts the value gap pixels (before scaling) after the caption.
    void AlignAsRow(int gap);
    void Draw();
    float GetGapX() const;
    void SetColor(int r, int g, int b, float alpha);
    void SetShadow(float x, float y, float alpha);
    void SetUseRendererCamera(int flag);
    void UpdateStat(const String& value);
};

}  // namespace tiderush
