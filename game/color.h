#pragma once
// TColor and TShadow: a colour with alpha and a drop shadow, pushed into the
// drawing state and taken back out to opaque white.

#include "vellum.h"

namespace tiderush {

using vellum::Ref;

class TColor : public vellum::TObject {
public:
    int R = 0, G = 0, B = 0;
    float alpha = 1.0f;

    static Ref<TColor> Create(int r, int g, int b, float alpha);
    void Set(int r, int g, int b, float a);
    void Get(int& r, int& g, int& b) const;
    void GetFull(int& r, int& g, int& b, float& a) const;
    void Copy(const TColor& other);
    // Drawing colour and alpha.
    void Apply() const;
    void ApplyNoAlpha() const;
    // Back to opaque white, the state every drawing routine assumes.
    void Restore() const;
};

class TShadow : public vellum::TObject {
public:
    float X = 1.0f, Y = 1.0f;  // offset of the shadow copy
    float alpha = 0.5f;

    static Ref<TShadow> Create(float x, float y, float alpha);
    void Init(float x, float y, float a);
    void Copy(const TShadow& other);
    // Black at the shadow's alpha.
    void Apply() const;
    void Restore() const;
};

}  // namespace tiderush
