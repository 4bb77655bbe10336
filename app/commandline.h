#pragma once

#include "exportrequest.h"

#include <QStringList>

/// Reads the command line into an ExportRequest. A wrong option or value throws
/// UsageError with a one-line message that names the valid choices.
namespace CommandLine {
ExportRequest parse(const QStringList &arguments);
QString usage();
} // namespace CommandLine
