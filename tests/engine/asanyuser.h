// SPDX-License-Identifier: GPL-3.0-or-later
// While it lives, the process reads files as their permissions say even when it runs as root
// (as CI does): the capabilities that let root read any file are dropped from the effective
// set, and given back at the end.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace enginetest {

class WithoutReadOverride {
public:
    WithoutReadOverride()
    {
        if (::geteuid() != 0)
            return;
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        dropped_ = ::syscall(SYS_capget, &header_, saved_) == 0;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        dropped_ = dropped_ && ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutReadOverride()
    {
        if (dropped_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    WithoutReadOverride(const WithoutReadOverride&) = delete;
    WithoutReadOverride& operator=(const WithoutReadOverride&) = delete;

private:
    __user_cap_header_struct header_ {};
    __user_cap_data_struct saved_[2] {};
    bool dropped_ = false;
};

} // namespace enginetest
