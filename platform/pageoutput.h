#pragma once

#include "drawingsurface.h"

#include <QSize>

/// Where pages go: a document that is begun, given its pages one surface at a
/// time, and finished. Every step throws HekiraError with the message the user
/// sees; a document that is abandoned or fails leaves its target as it was.
class PageOutput {
public:
    virtual ~PageOutput() = default;

    /// Starts a document.
    virtual void begin() = 0;
    /// The size of its pages, in device pixels.
    virtual QSize pageSize() const = 0;
    /// Starts the next page of the open document (the first one after begin) and
    /// returns its surface, valid until the next call.
    virtual DrawingSurface &nextPage() = 0;
    /// Ends the document: written, replaced or handed to the spooler.
    virtual void finish() = 0;
    /// Abandons the open document, if there is one; never fails.
    virtual void abort() = 0;
};
