// The one exception the driver throws: what went wrong, then what was on the screen at that moment.
#include "DriverError.h"

#include "ScreenDescription.h"

CDriverError::CDriverError(const std::string& message) : std::runtime_error(message)
{
}

void ThrowWithScreen(const std::string& message)
{
    throw CDriverError(message + "\n" + DescribeScreen());
}
