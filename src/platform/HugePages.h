// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Large buffers that are written once from start to end (a long channel list's records and the list's
// columns) cost the kernel a page fault for every 4 KiB page they touch; for a list of a million
// channels those faults took more time than the parsing. Where the system offers transparent huge
// pages on request, such a buffer asks for them: one fault per 2 MiB.
#include <cstddef>

namespace hugepages
{
// Buffers smaller than this are left alone: they come from the allocator's reused memory.
constexpr std::size_t kMinBytes = std::size_t(4) << 20;

// Asks for huge pages in the whole 2 MiB blocks inside [p, p + nBytes). Harmless where the system
// has no huge pages or was set never to use them.
void Advise(const void* p, std::size_t nBytes);
} // namespace hugepages
