#pragma once

#include "exportrequest.h"

#include <QStringList>

/// Reads the command line into an ExportRequest. A wrong option or value throws
/// UsageError with a one-line message that names the valid choices.
class CommandLine {
public:
    static ExportRequest parse(const QStringList &arguments);
    static QString usage();
};
