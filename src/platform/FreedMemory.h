// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Hands memory that the program has freed back to the system.
//
// glibc keeps what threads free in per-thread arenas and returns little of it by itself. Every stream
// that the player opens runs its own threads (the opening, the demuxer, the decoders; mpv's probe
// alone takes 10 MiB), each in whichever arena it gets, so zapping through channels left ever more
// freed memory resident: about 1 MiB per switch, over 100 MiB after a few hundred.
namespace freedmemory
{
// Lets the threads share two arenas instead of up to eight per core, so that what one stream's
// threads free serves the next stream's, and gives every block from 256 KiB up its own mapping, so
// that freeing it returns it at once. (glibc would otherwise raise that limit to the largest block
// freed so far, up to 32 MiB: a stream's probe and picture buffers then came from the arenas, where a
// small block that outlives them keeps their pages.) Must run before the program starts its first
// thread.
void SetUpAllocator();
// Returns the free pages of every arena (a few milliseconds; not for a time-critical moment).
void Release();
} // namespace freedmemory
