#pragma once
// TAlName: an OpenAL source or buffer name that its holder owns. Dropping
// it deletes the object on the device that made it, while that device is
// still open (closing a device frees everything made on it), and only on
// that device: once an output swaps in a new one, the holder makes a new
// name there and the old one is simply forgotten.

#include <memory>

namespace vellum {

class TAlOutput;

class TAlName {
public:
    enum Kind { SOURCE, BUFFER };

    TAlName() = default;
    // A new object of kind on output's context; empty when OpenAL refuses.
    static TAlName Make(Kind kind, std::shared_ptr<TAlOutput> output);
    ~TAlName() { Reset(); }
    TAlName(TAlName&& other) noexcept;
    TAlName& operator=(TAlName&& other) noexcept;
    TAlName(const TAlName&) = delete;
    TAlName& operator=(const TAlName&) = delete;

    // The OpenAL name; 0 when empty.
    unsigned Id() const { return _id; }
    explicit operator unsigned() const { return _id; }
    explicit operator bool() const { return _id != 0; }
    // Deletes the object now; the holder is empty afterwards.
    void Reset();

private:
    Kind _kind = SOURCE;
    unsigned _id = 0;
    unsigned _generation = 0;  // of the output's device when made
    std::shared_ptr<TAlOutput> _output;
};

}  // namespace vellum
