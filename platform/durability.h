// How far a write goes before it replaces the old file.
#pragma once

enum class Durability {
    Atomic,   // whole or not at all
    Durable,  // ... and on the disk before it replaces the old file
};
