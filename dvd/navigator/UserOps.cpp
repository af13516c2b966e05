#include "UserOps.h"

namespace navigator::uop {

uint32_t MenuCall(int menuId) {
    switch (menuId) {
        case 2:
            return kTitleMenu;
        case 3:
            return kRootMenu;
        case 4:
            return kSubpictureMenu;
        case 5:
            return kAudioMenu;
        case 6:
            return kAngleMenu;
        case 7:
            return kChapterMenu;
    }
    return 0;
}

}  // namespace navigator::uop
