// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// mpv reads a rewind buffer's ring (listenback/RingFile.h) through a protocol of its own:
// "vedrixring://<id>/<offset>" plays the ring published under <id> from its logical offset <offset>
// on. A read at the newest byte waits for the next ones to arrive; mpv's cancel ends the wait of
// that one stream only, never of another reader of the same ring (another core may be playing it).
// Positions in mpv's stream count from the offset that it was opened at.
//
// The registry is shared by every core of the program. An open stream holds its ring, so a ring
// withdrawn while mpv still reads it lives on until mpv closes the stream.
#include <QString>
#include <memory>

struct mpv_handle;
class CRingFile;

namespace ringstream
{
constexpr const char* kProtocol = "vedrixring";

// Registers the protocol on a core (before mpv_initialize or right after); false when mpv refuses.
bool Register(mpv_handle* pMpv);
// Makes a ring readable under a new id (never 0).
int Publish(std::shared_ptr<CRingFile> pRing);
// The ring is no longer opened under nId (streams already open go on reading it).
void Withdraw(int nId);
// The address that mpv opens to play ring nId from nOffset.
QString Uri(int nId, qint64 nOffset);
} // namespace ringstream
