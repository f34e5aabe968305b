#pragma once

#include <cstdint>
#include <string>

#include "platform/core/component.h"

namespace vex {

enum TActionType : uint8_t { atEncryption, atDecryption };

// Scrambles a text into upper-case hexadecimal with a text key, and back. The first pair of
// digits is a random start value, so one text scrambles differently each time. Stored passwords
// depend on the exact scheme: texts scrambled by earlier versions unscramble as they always did.
class TVoskEncryption : public TComponent {
    VEX_CLASS(TVoskEncryption, TComponent)

public:
    explicit TVoskEncryption(TComponent* AOwner);

    const std::string& Input() const { return FInput; }
    void SetInput(const std::string& Value);
    const std::string& Output() const { return FOutput; }
    void SetOutput(const std::string& Value);
    const std::string& Key() const { return FKey; }
    void SetKey(const std::string& Value);
    TActionType Action() const { return FAction; }
    void SetAction(TActionType Value) { FAction = Value; }

    // Output := Input scrambled or unscrambled by Action. Unscrambling anything but an even
    // number (at least four) of hexadecimal digits raises EConvertError and keeps Output.
    void Execute();

protected:
    // The start value of a scrambled text, 0 to 255.
    virtual uint8_t RandomStartValue();

private:
    std::string Scramble(const std::string& Text);
    std::string Unscramble(const std::string& Text) const;

    std::string FInput;
    std::string FOutput;
    std::string FKey;
    TActionType FAction = atEncryption;
};

}  // namespace vex
