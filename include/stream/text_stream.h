#pragma once
/// \file
/// TTextStream: a wrapper that reads and writes text in one of four encodings.
/// Numbers travel as decimal lines; raw bytes as lines of uppercase hex digits,
/// 32 bytes to a line.

#include "stream/stream_wrapper.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A stream of text in one encoding: strings and lines in that encoding,
/// numbers as decimal lines, raw bytes as hex lines.
class TTextStream : public TStreamWrapper {
public:
    /// The encodings.
    ///@{
    static constexpr int LATIN1 = 1;
    static constexpr int UTF8 = 2;
    static constexpr int UTF16BE = 3;
    static constexpr int UTF16LE = 4;
    ///@}

    /// Wraps stream with an encoding; Null stays Null.
    static Ref<TTextStream> Create(Ref<TStream> stream, int encoding);

    /// The stream's encoding, one of the constants above.
    int Encoding() const { return _encoding; }

    int Eof() override;
    /// Raw bytes as hex text. Read raises TStreamReadException for a character
    /// that is not an uppercase hex digit.
    ///@{
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    ///@}

    /// Numbers: one decimal line each.
    ///@{
    int ReadByte() override;
    void WriteByte(int value) override;
    int ReadShort() override;
    void WriteShort(int value) override;
    int ReadInt() override;
    void WriteInt(int value) override;
    long long ReadLong() override;
    void WriteLong(long long value) override;
    float ReadFloat() override;
    void WriteFloat(float value) override;
    double ReadDouble() override;
    void WriteDouble(double value) override;
    ///@}

    /// Characters up to LF, 0 or the end; CR is skipped.
    String ReadLine() override;
    /// The text and CR LF; returns 1.
    int WriteLine(const String& text) override;
    /// Exactly length characters; raises TStreamReadException when the stream ends first.
    String ReadString(int length) override;
    /// The characters in the stream's encoding.
    void WriteString(const String& text) override;

    /// One 16-bit character; raises TStreamReadException at the end.
    int ReadChar();
    /// One 16-bit character.
    void WriteChar(int c);
    /// Every character up to the end.
    String ReadFile();

private:
    /// The next byte of the inner stream, -1 at the end.
    int NextByte();
    /// The next 16-bit character, -1 at the end or for a character the end cuts off.
    int NextChar();
    /// Encodes text and writes it to the inner stream.
    void Put(std::u16string_view text);
    /// Text follows raw bytes: end or consume their unfinished hex line.
    void BeginTextOutput();
    void BeginTextInput();
    /// Consumes LF or CR LF; false at the end of the stream.
    bool ConsumeTerminator();

    int _encoding = LATIN1;
    int _bufcount = 0;  ///< bytes of the current unfinished hex line
    int _pending = -1;  ///< low surrogate of a four-byte UTF-8 character, still to be handed out
};

}  // namespace vellum
#pragma GCC visibility pop
