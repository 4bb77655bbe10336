#pragma once

#include "exportrequest.h"

#include <QStringList>

class SettingsStore;

/// Reads the command line into an ExportRequest. A wrong option or value throws
/// UsageError with a one-line message that names the valid choices.
namespace CommandLine {
/// `stored` is read only when --settings asks for it.
ExportRequest parse(const QStringList &arguments, const SettingsStore &stored);
QString usage();
} // namespace CommandLine
