#include "game/label.h"

#include "game/globals.h"
#include "game/profile.h"

namespace tiderush {

String TTextFormat::MakeFormattedString(const String& rawText) const {
    switch (formatMode) {
    case FORMAT_MODE_STRING: return rawText;
    case FORMAT_MODE_ZERO_PADDED_INT: return PadWithZeros(rawText, formatModeParam);
    default: return String();
    }
}

void TTextFormat::SetFormatMode(int mode, int param) {
    formatMode = mode;
    formatModeParam = param;
}

Ref<TLabel> TLabel::Create(const String& labelText, float px, float py, Ref<vellum::TImageFont> font, float sx,
                           float sy) {
    auto label = vellum::New<TLabel>();
    label->textRaw = labelText;
    label->textFormat = vellum::New<TTextFormat>();
    label->UpdateText();
    label->x = px;
    label->y = py;
    label->imageFont = std::move(font);
    label->scaleX = sx;
    label->scaleY = sy;
    return label;
}

void TLabel::Draw() {
    if (imageFont) vellum::SetImageFont(imageFont);
    if (shadow) {
        shadow->Apply();
        if (useRendererCamera) {
            renderer->TempScale(scaleX, scaleY);
            vellum::DrawText(text, renderer->GetX(x + shadow->X), renderer->GetY(y + shadow->Y));
        } else {
            vellum::SetScale(scaleX, scaleY);
            vellum::DrawText(text, x + shadow->X, y + shadow->Y);
        }
        shadow->Restore();
    }
    if (color) color->Apply();
    if (useRendererCamera) {
        renderer->TempScale(scaleX, scaleY);
        vellum::DrawText(text, renderer->GetX(x), renderer->GetY(y));
    } else {
        vellum::SetScale(scaleX, scaleY);
        vellum::DrawText(text, x, y);
    }
    renderer->RestoreScale();
    if (color) color->Restore();
    if (imageFont) vellum::SetImageFont(nullptr);
}

float TLabel::GetWidth() {
    if (imageFont) vellum::SetImageFont(imageFont);
    float width = static_cast<float>(vellum::TextWidth(text));
    return useRendererCamera ? width * renderer->scaleX * scaleX : width * scaleX;
}

void TLabel::SetColor(int r, int g, int b, float alpha) { color = TColor::Create(r, g, b, alpha); }
void TLabel::SetShadow(float sx, float sy, float alpha) { shadow = TShadow::Create(sx, sy, alpha); }

void TLabel::SetFormatMode(int mode, int param) {
    textFormat->SetFormatMode(mode, param);
    SetText(textRaw);
}

void TLabel::SetText(const String& newText) { text = textFormat->MakeFormattedString(newText); }
void TLabel::UpdateText() { SetText(textRaw); }

Ref<TStatLabel> TStatLabel::Create(const String& caption, const String& value, float px, float py,
                                   Ref<vellum::TImageFont> font, float sx, float sy) {
    auto row = vellum::New<TStatLabel>();
    row->description = TLabel::Create(caption, px, py, font, sx, sy);
    row->stat = TLabel::Create(value, px, py, font, sx, sy);
    row->stat->SetFormatMode(TTextFormat::FORMAT_MODE_STRING, 0);
    return row;
}

void TStatLabel::AlignAsRow(int gap) {
    gapX = static_cast<float>(gap);
    float afterCaption = description->x + description->GetWidth();
    stat->x = afterCaption + GetGapX();
}

void TStatLabel::Draw() {
    description->Draw();
    stat->Draw();
}

float TStatLabel::GetGapX() const {
    return description->useRendererCamera ? gapX * renderer->scaleX * description->scaleX
                                          : gapX * description->scaleX;
}

void TStatLabel::SetColor(int r, int g, int b, float alpha) {
    description->SetColor(r, g, b, alpha);
    stat->SetColor(r, g, b, alpha);
}

void TStatLabel::SetShadow(float sx, float sy, float alpha) {
    description->SetShadow(sx, sy, alpha);
    stat->SetShadow(sx, sy, alpha);
}

void TStatLabel::SetUseRendererCamera(int flag) {
    description->useRendererCamera = flag;
    stat->useRendererCamera = flag;
}

void TStatLabel::UpdateStat(const String& value) {
    stat->textRaw = value;
    stat->UpdateText();
}

}  // namespace tiderush
