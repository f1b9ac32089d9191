// The packed key code: the low 16 bits a virtual-key code, bits 16 to 18 the
// modifiers. Shifted right by 16 they are the system's hot-key modifier flags.
// Window-free.
#ifndef JOTWELL_DIALOGS_KEYCODE_H
#define JOTWELL_DIALOGS_KEYCODE_H

const unsigned long KEY_ALT = 0x10000;
const unsigned long KEY_CTRL = 0x20000;
const unsigned long KEY_SHIFT = 0x40000;

inline unsigned long PackKey(unsigned virtualKey, bool ctrl, bool alt, bool shift) {
    return (virtualKey & 0xFFFF) | (alt ? KEY_ALT : 0) | (ctrl ? KEY_CTRL : 0) |
           (shift ? KEY_SHIFT : 0);
}

inline unsigned KeyVirtualKey(unsigned long key) { return (unsigned)(key & 0xFFFF); }
inline unsigned KeyModifiers(unsigned long key) { return (unsigned)(key >> 16); }

#endif
