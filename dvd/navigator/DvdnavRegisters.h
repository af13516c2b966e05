/* The DVD virtual machine's registers, which libdvdnav keeps but does not let a player read or
   set through its API: the system registers (SPRM 0-23: streams, parental level and country)
   and the general ones (GPRM 0-15); and the few facts of its state that menus need. Each access
   takes libdvdnav's own lock. */
#ifndef TESMARO_DVDNAV_REGISTERS_H
#define TESMARO_DVDNAV_REGISTERS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct dvdnav_s;

/* 0 when the index is out of range or the machine has not started. */
uint16_t TmDvdnavSystemRegister(struct dvdnav_s* nav, int index);
uint16_t TmDvdnavGeneralRegister(struct dvdnav_s* nav, int index);
/* 1 on success. */
int TmDvdnavSetSystemRegister(struct dvdnav_s* nav, int index, uint16_t value);
int TmDvdnavSetGeneralRegister(struct dvdnav_s* nav, int index, uint16_t value);

/* How many jumps the machine has made: a button command that jumps adds one. */
unsigned TmDvdnavJumps(struct dvdnav_s* nav);
/* Ends a still for a jump of the player's. dvdnav_still_skip would also skip the next still the
   machine reaches, which after a jump is another cell's (a menu's) own still. */
void TmDvdnavLeaveStill(struct dvdnav_s* nav);
/* 1 when the machine keeps a place in a title to resume. */
int TmDvdnavCanResume(struct dvdnav_s* nav);
/* The title set whose menus and titles the machine has loaded; 0 for none yet. */
int TmDvdnavTitleSet(struct dvdnav_s* nav);

#ifdef __cplusplus
}
#endif

#endif
