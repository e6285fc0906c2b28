#pragma once
// Tests of refused file access also run as root: while a SansDroitsAcces
// lives, the calling thread loses the capabilities that let root read and
// write any file (they stay permitted and come back at its end). For a
// normal user it does nothing, files' modes already apply.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class SansDroitsAcces {
public:
    SansDroitsAcces() {
        en_tete_.version = _LINUX_CAPABILITY_VERSION_3;
        en_tete_.pid = 0;
        if (::syscall(SYS_capget, &en_tete_, avant_) != 0) return;
        __user_cap_data_struct reduit[2] = {avant_[0], avant_[1]};
        reduit[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        actif_ = ::syscall(SYS_capset, &en_tete_, reduit) == 0;
    }
    ~SansDroitsAcces() {
        if (actif_) ::syscall(SYS_capset, &en_tete_, avant_);
    }
    SansDroitsAcces(const SansDroitsAcces&) = delete;
    SansDroitsAcces& operator=(const SansDroitsAcces&) = delete;

private:
    __user_cap_header_struct en_tete_{};
    __user_cap_data_struct avant_[2]{};
    bool actif_ = false;
};
