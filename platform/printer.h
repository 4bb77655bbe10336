#pragma once

#include "pageoutput.h"

#include <QString>

/// The system's printer, one shared object for the program; each document is a
/// print job. Errors are HekiraError with the message the user sees.
class Printer : public PageOutput {
public:
    /// Portrait pages for the following jobs. Throws "デフォルト プリンタが存在しません"
    /// when there is no printer, "選択されたプリンタではサポートされていない機能です"
    /// when it refuses.
    virtual void setPortrait() = 0;
    /// Names the job that the next begin starts.
    virtual void setJobTitle(const QString &title) = 0;
};
