#!/usr/bin/env bash
# Three copies, lag raised on one, tanks driven by a seeded script for 15 s:
# after a quiet time their state digests must be identical. Then again with
# copy 2 killed 8 s in, its last second lost on the way to copy 1 alone: the
# two left must agree all along, and show no tank for it. The longer version
# is bench/peer_agreement.sh.
# Args: path to the ferrowind binary, repo root.
bash "$2/bench/peer_agreement.sh" "$1" "$2" 15 1 "${FERROWIND_AGREEMENT_SEED:-1}" || exit $?
AGREE_CRASH=8 exec bash "$2/bench/peer_agreement.sh" "$1" "$2" 15 1 "${FERROWIND_AGREEMENT_SEED:-1}"
