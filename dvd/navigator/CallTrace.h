// Who hears of the calls made on the objects a navigator hands out, by name ("State.Load",
// "Cmd.WaitForEnd"): the tests' stand-in keeps its call record this way. Null for nobody.
#pragma once

namespace navigator {

using CallTrace = void (*)(const char* call);

}  // namespace navigator
