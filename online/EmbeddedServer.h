#pragma once
// The game's own sharing server: with no server address set (no --server, no QUORVALD_SERVER),
// the first request starts the server's code in this process on 127.0.0.1, with its SQLite file
// "network\server\stages.db" where the game writes, so every online screen works on one machine.
#include <string>

// Makes the network library ask for the game's own server when it has no address.
void InstallEmbeddedServer();
// Starts it now (idempotent); its address, or empty when it cannot start (logged).
std::string StartEmbeddedServer();
// Stops it (the end of the game).
void StopEmbeddedServer();
