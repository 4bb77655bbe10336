#pragma once

#include "hekiraerror.h"

/// A command line the program cannot take: shown with exit code 2.
class UsageError : public HekiraError {
public:
    using HekiraError::HekiraError;
};
