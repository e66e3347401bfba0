#!/usr/bin/env bash
# Three copies, lag raised on one, tanks driven by a seeded script for 15 s:
# after a quiet time their state digests must be identical. The longer version
# is bench/peer_agreement.sh.
# Args: path to the ferrowind binary, repo root.
exec bash "$2/bench/peer_agreement.sh" "$1" "$2" 15 1 "${FERROWIND_AGREEMENT_SEED:-1}"
