#include "calc/errors.h"

namespace varlo
{

EConvertError::EConvertError(const std::string &rejectedText)
    : Error("'" + rejectedText + "' is not a valid floating point value")
{
}

} // namespace varlo
