#include "hekiraerror.h"

HekiraError::HekiraError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

QString HekiraError::message() const
{
    return m_message;
}
