// simavr_cycles MCU HEX LIMIT ADDRESS...: runs the Intel hex program in simavr from address 0 and prints the
// cycle counter each time the program counter reaches the next of the byte addresses, in turn; gives up
// with status 1 once the counter passes LIMIT. A program of its own because libsimavr keeps memory to the
// end of the process.
#include <sim_avr.h>
#include <sim_hex.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

// LeakSanitizer, where this program is built with it, is told that memory which is not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libsimavr.so\n"; }

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: simavr_cycles MCU HEX LIMIT ADDRESS...\n", stderr);
        return 2;
    }
    avr_t* avr = avr_make_mcu_by_name(argv[1]);
    uint32_t size = 0, start = 0;
    uint8_t* code = avr && avr_init(avr) == 0 ? read_ihex_file(argv[2], &size, &start) : nullptr;
    if (!code) return 1;  // libsimavr has said why
    avr->log = LOG_ERROR;
    avr_loadcode(avr, code, size, start);
    std::free(code);
    const unsigned long long limit = std::strtoull(argv[3], nullptr, 10);
    int status = 0;
    for (int at = 4; at < argc && status == 0; ++at) {
        const unsigned long address = std::strtoul(argv[at], nullptr, 0);
        while (avr->pc != address && status == 0)
            if (const int state = avr_run(avr); avr->cycle > limit || state == cpu_Crashed || state == cpu_Done) {
                std::fprintf(stderr, "no address %#lx by cycle %" PRIu64 " (state %d)\n", address, avr->cycle, state);
                status = 1;
            }
        if (status == 0) std::printf("%" PRIu64 "\n", avr->cycle);
    }
    avr_terminate(avr);
    std::free(avr);
    return status;
}
