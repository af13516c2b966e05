#include "DvdnavRegisters.h"

#include <inttypes.h>
#include <stdlib.h>
#include <dvdread/nav_types.h>
#include <dvdread/ifo_types.h>
#include <dvdnav/dvdnav.h>
#include "vm/decoder.h"
#include "vm/vm.h"
#include "dvdnav_internal.h"

uint16_t TmDvdnavSystemRegister(struct dvdnav_s* nav, int index) {
    uint16_t value = 0;
    if (!nav || index < 0 || index >= 24) return 0;
    pthread_mutex_lock(&nav->vm_lock);
    if (nav->vm) value = nav->vm->state.registers.SPRM[index];
    pthread_mutex_unlock(&nav->vm_lock);
    return value;
}

uint16_t TmDvdnavGeneralRegister(struct dvdnav_s* nav, int index) {
    uint16_t value = 0;
    if (!nav || index < 0 || index >= 16) return 0;
    pthread_mutex_lock(&nav->vm_lock);
    if (nav->vm) value = nav->vm->state.registers.GPRM[index];
    pthread_mutex_unlock(&nav->vm_lock);
    return value;
}

int TmDvdnavSetSystemRegister(struct dvdnav_s* nav, int index, uint16_t value) {
    int done = 0;
    if (!nav || index < 0 || index >= 24) return 0;
    pthread_mutex_lock(&nav->vm_lock);
    if (nav->vm) {
        nav->vm->state.registers.SPRM[index] = value;
        done = 1;
    }
    pthread_mutex_unlock(&nav->vm_lock);
    return done;
}

int TmDvdnavSetGeneralRegister(struct dvdnav_s* nav, int index, uint16_t value) {
    int done = 0;
    if (!nav || index < 0 || index >= 16) return 0;
    pthread_mutex_lock(&nav->vm_lock);
    if (nav->vm) {
        nav->vm->state.registers.GPRM[index] = value;
        nav->vm->state.registers.GPRM_mode[index] = 0; /* a plain register, not a counter */
        done = 1;
    }
    pthread_mutex_unlock(&nav->vm_lock);
    return done;
}

unsigned TmDvdnavJumps(struct dvdnav_s* nav) {
    unsigned jumps = 0;
    if (!nav) return 0;
    pthread_mutex_lock(&nav->vm_lock);
    if (nav->vm) jumps = (unsigned)nav->vm->hop_channel;
    pthread_mutex_unlock(&nav->vm_lock);
    return jumps;
}

void TmDvdnavLeaveStill(struct dvdnav_s* nav) {
    if (!nav) return;
    pthread_mutex_lock(&nav->vm_lock);
    nav->position_current.still = 0;
    pthread_mutex_unlock(&nav->vm_lock);
    nav->skip_still = 0;
    nav->sync_wait = 0;
    nav->sync_wait_skip = 0;
}

int TmDvdnavCanResume(struct dvdnav_s* nav) {
    int can = 0;
    if (!nav) return 0;
    pthread_mutex_lock(&nav->vm_lock);
    if (nav->vm) can = nav->vm->state.rsm_vtsN != 0;
    pthread_mutex_unlock(&nav->vm_lock);
    return can;
}

int TmDvdnavTitleSet(struct dvdnav_s* nav) {
    int set = 0;
    if (!nav) return 0;
    pthread_mutex_lock(&nav->vm_lock);
    if (nav->vm && nav->vm->vtsi) set = nav->vm->state.vtsN;
    pthread_mutex_unlock(&nav->vm_lock);
    return set;
}
