#include "hekiraerror.h"

HekiraError::HekiraError(const QString &message) : std::runtime_error(message.toStdString())
{
}

QString HekiraError::message() const
{
    return QString::fromStdString(what());
}
