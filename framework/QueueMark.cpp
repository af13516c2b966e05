#include "QueueMark.h"

namespace fw {

UINT QueueMarkMessage() {
    static const UINT message = ::RegisterWindowMessageA("TesmaroPlayer.QueueMark");
    return message;
}

}  // namespace fw
