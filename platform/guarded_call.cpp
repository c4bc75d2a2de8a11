#include "platform/guarded_call.h"

#include "platform/exceptions.h"

namespace zor {

QString CallCatching(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const Exception& Error) {
        return Error.Message();
    } catch (const std::exception& Error) {
        return QString::fromLocal8Bit(Error.what());
    }
    return QString();
}

} // namespace zor
