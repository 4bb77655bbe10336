#pragma once

#include <QString>
#include <stdexcept>

/// The program's one error: carries the message shown to the user, in the
/// program's own words, from where the failure is found to the handler or
/// command line that shows it.
class HekiraError : public std::runtime_error {
public:
    explicit HekiraError(const QString &message);
    /// The message whole: what() is a C string, which ends at a zero character.
    QString message() const;

private:
    QString m_message;
};
