#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

namespace cli {

// The options of kestrune-cli with what they take, as --help describes them.
struct CliOptions {
    QCommandLineOption clock{QStringLiteral("clock"),
                             QStringLiteral("Oscillator frequency: a number in Hz, or with a unit Hz, kHz, MHz or "
                                            "GHz (4MHz, 4000kHz, 4e6, 32.768kHz); above 0."),
                             QStringLiteral("FREQUENCY")};
    QCommandLineOption delay{QStringLiteral("delay"),
                             QStringLiteral("(values) The wanted delay: a number in seconds, or with a unit s, ms, "
                                            "us (or \u00b5s) or ns (1ms, 1000us, 1e-3); not negative. A delay below "
                                            "the shortest or at or above the longest that four loops can make is "
                                            "replaced by that limit, with a note."),
                             QStringLiteral("TIME")};
    QCommandLineOption cycles{QStringLiteral("cycles"),
                              QStringLiteral("(values) The wanted length in the chip's counted cycles instead of "
                                             "--delay: a whole number from 1 to the longest the loops can make. With "
                                             "--exact the routine takes exactly that many, its CALL and return "
                                             "included when counted."),
                              QStringLiteral("N")};
    QCommandLineOption counts{QStringLiteral("counts"),
                              QStringLiteral("(time) The counter values, innermost (A) first, separated by commas; "
                                             "their number (1 to 4) is the loop depth. Each is a whole number from 0 "
                                             "to 255; 0 means 256 passes."),
                              QStringLiteral("LIST")};
    QCommandLineOption chip{QStringLiteral("chip"),
                            QStringLiteral("pic (the default): baseline (PIC10F2xx, PIC12F5xx, PIC16F5x), mid-range "
                                           "and enhanced mid-range (PIC16F1xxx) PICs, 4 clocks per machine cycle, the "
                                           "counters in RAM the code reaches without a bank change. pic18: PIC18, "
                                           "looping with bra. sx: SX in turbo mode, 1 clock per cycle. avr: the "
                                           "classic AVR core of parts with up to 128 KiB of flash (ATmega328P, "
                                           "ATtiny85), 1 clock per cycle; not the AVRxt core (tinyAVR 0/1/2, "
                                           "megaAVR 0, AVR Dx: rcall 2 cycles) nor parts with a 22-bit program "
                                           "counter (rcall 4, ret 5). 8051: classic 12-clock cores, 12 clocks per "
                                           "machine cycle; not single-cycle \"1T\" derivatives."),
                            QStringLiteral("pic|pic18|sx|avr|8051")};
    QCommandLineOption callReturn{QStringLiteral("call-return"),
                                  QStringLiteral("Count the CALL into the routine and its return (PIC and PIC18 4, SX "
                                                 "6, AVR rcall and ret 7, 8051 lcall and ret 4 cycles) and end the "
                                                 "listing with a return.")};
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("Listing format: microchip (pic, pic18 and sx; the default for them) or "
                                             "parallax (pic and sx); atmel (avr, the default: the Atmel assembler "
                                             "and avra) or gnu (avr: GNU as, for .S files); asm51 (8051)."),
                              QStringLiteral("NAME")};
    QCommandLineOption names{QStringLiteral("names"),
                             QStringLiteral("Counter register names, innermost (A) first, up to four; for values k "
                                            "names allow at most k counters, for time name every counter or none. "
                                            "Default Delay1,Delay2,Delay3,Delay4 (avr r16,r17,r18,r19; 8051 "
                                            "R2,R3,R4,R5). A name is made of ASCII letters, "
                                            "digits, _ . and ?, up to 50 of them, and does not start with a digit. "
                                            "avr: r16-r31, or in the atmel format a name the program defines as one "
                                            "with .def; 8051: R0-R7. No two counters may be the same register; in the "
                                            "microchip format none is named as the loop label (loop, or NAME_loop "
                                            "with --routine NAME)."),
                             QStringLiteral("LIST")};
    QCommandLineOption exact{QStringLiteral("exact"),
                             QStringLiteral("(values) Exactly the wanted number of cycles: of all routines that take "
                                            "it, the one with the fewest instructions, then the fewest counters, "
                                            "then the fewest padding instructions after the loops (a jump to the "
                                            "next instruction: 2 cycles on a PIC, PIC18 and AVR, 3 on an SX; a nop: "
                                            "1 cycle).")};
    QCommandLineOption round{QStringLiteral("round"),
                             QStringLiteral("(values --exact) How --delay becomes whole cycles: to the nearest "
                                            "(the default; halves away from zero), up (at least the delay), or down."),
                             QStringLiteral("nearest|up|down")};
    QCommandLineOption maxDepth{QStringLiteral("max-depth"),
                                QStringLiteral("(values) At most N counters (1 to 4); a delay they cannot make is "
                                               "refused with the longest they can."),
                                QStringLiteral("N")};
    QCommandLineOption routine{QStringLiteral("routine"),
                               QStringLiteral("A routine ready to include: NAME labels its first instruction and "
                                              "names its loop label NAME_loop; a comment line states its delay, "
                                              "clock and cycles. Implies --call-return. NAME follows the rules of a "
                                              "counter name and is no register; in the atmel and asm51 formats it "
                                              "holds no . or ?, in the gnu format no ?."),
                               QStringLiteral("NAME")};
    QCommandLineOption declare{QStringLiteral("declare"),
                               QStringLiteral("Declare the counters before the code: a cblock without an address "
                                              "(it continues the program's own cblock) in the microchip format, ds "
                                              "lines in the parallax format, .def lines for names that are no "
                                              "register in the atmel format; registers need none.")};
    QCommandLineOption crlf{QStringLiteral("crlf"),
                            QStringLiteral("End lines with CR LF, as the window's listing does, not LF.")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("Print one JSON object instead of text.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version and exit.")};

    QList<QCommandLineOption> all() const {
        return {clock, delay, cycles, counts, chip, callReturn, format, names, exact, round, maxDepth, routine, declare, crlf, json,
                help, version};
    }
};

// The options part of --help.
QString optionsHelp();

}  // namespace cli
