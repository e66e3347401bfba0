#!/usr/bin/env bash
# A one-minute soak of three copies under loss and changing lag (bench/soak.sh).
# Args: path to the ferrowind binary, repo root.
SOAK_SECONDS=${SOAK_SECONDS:-60} exec bash "$2/bench/soak.sh" "$1" "$2"
