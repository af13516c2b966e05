/* emulator_faults.c: preloaded into the 32-bit programs that the user-mode emulator runs (see
 * setup.sh). The emulator delivers a memory fault with the trap number of its frame left at -1,
 * and Wine tells an access violation, the stack guard pages it grows and the pages it watches
 * from other faults by that number: without it every such fault is an illegal instruction and
 * ends the program. This puts the number a kernel would have put there, then calls Wine.
 *
 * Built by setup.sh, for 32-bit programs and for the native ones Wine starts. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stddef.h>
#include <ucontext.h>

enum { kTrapGeneralProtection = 13, kTrapPageFault = 14 };

static void (*program_handler)(int, siginfo_t *, void *);

static void set_trap_number(int sig, siginfo_t *info, void *context) {
    ucontext_t *uc = context;
    if (uc->uc_mcontext.gregs[REG_TRAPNO] == -1)
        uc->uc_mcontext.gregs[REG_TRAPNO] =
            info->si_code == SEGV_MAPERR || info->si_code == SEGV_ACCERR ? kTrapPageFault
                                                                         : kTrapGeneralProtection;
    program_handler(sig, info, context);
}

int sigaction(int sig, const struct sigaction *act, struct sigaction *old) {
    static int (*real_sigaction)(int, const struct sigaction *, struct sigaction *);
    if (!real_sigaction) real_sigaction = dlsym(RTLD_NEXT, "sigaction");
    if (sig != SIGSEGV || !act || !(act->sa_flags & SA_SIGINFO) || act->sa_sigaction == set_trap_number)
        return real_sigaction(sig, act, old);
    struct sigaction wrapped = *act;
    program_handler = act->sa_sigaction;
    wrapped.sa_sigaction = set_trap_number;
    int result = real_sigaction(sig, &wrapped, old);
    return result;
}
