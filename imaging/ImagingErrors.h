#pragma once
// The errors a picture load raises. Each carries the system's own message text.

#include <stdexcept>
#include <string>

namespace corvane {

// A picture file that cannot be read as its class: bad data, an unknown extension.
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An operation a picture class does not support, such as copying an icon into a bitmap.
class EInvalidGraphicOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened for reading.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A fatal error reported by libjpeg; Code is libjpeg's message code.
class EJPEG : public EInvalidGraphic {
public:
    explicit EJPEG(int code)
        : EInvalidGraphic("JPEG error #" + std::to_string(code)), FCode(code) {}
    int Code() const { return FCode; }

private:
    int FCode;
};

// A picture whose stated size exceeds what the program accepts (see PictureLimits.h).
class EPictureTooLarge : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
};

}  // namespace corvane
