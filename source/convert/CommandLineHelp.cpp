// The text of --help and --version, kept apart from the parser so the usage reads as one page.
// The version is the project's version, handed in by CMake.
#include "convert/ConvertOptions.h"

std::string helpText() {
    return R"(Usage: orvel-convert [OPTIONS] INPUT...

Renders Apple II pictures and text screens to PNG, or writes them as hi-res or double hi-res
files, without a window. A PNG is the picture exactly as orvel's picture view shows it.

INPUT is a hi-res picture (8192 bytes or more, with an optional ".AUX" companion holding the
auxiliary bank; 8184 to 8191 bytes read with the missing tail as zeros), a double hi-res
picture (16384 bytes), a packed picture (PackBytes or LZ4FH: a file under 8184 bytes, or one
whose name ends in its ProDOS type, "#084000", "#084001" or "#088066"), a text screen (*.txt),
drawn with the Apple II font as orvel draws it, or a DOS 3.3 or ProDOS disk image (.dsk, .do,
.po, .2mg, .hdv, or known by its content), each picture of which is converted; with --import,
any image.

Each input is loaded, converted to double hi-res when --to-dhgr is given, shifted by every
--shift in the order given, then rendered or written.

Output:
  -o, --output PATH     The output file for one input; an existing directory receives the
                        outputs of any number of inputs. Without it each output goes beside
                        its input. In a directory or beside the input, an output is named
                        after its input with the format's extension (.png, .hgr, .dgr). An
                        output never replaces an input. The pictures of a disk image go to
                        DIRECTORY/PATH.png, PATH being the picture's path inside the image
                        (folders are made; "/", control characters and names of only dots
                        are made safe, and nothing is written outside DIRECTORY).
  --list                Lists the pictures inside each disk image, one "PATH<tab>KIND" line
                        a picture (KIND: hgr, dhgr, hgr-packbytes, dhgr-packbytes, hgr-lz4fh),
                        and converts nothing.
  --format FORMAT       png, hgr (the 8192-byte main bank) or dhgr (16384 bytes, auxiliary
                        bank first; a hi-res picture is converted to double hi-res first).
                        Default: from the output's extension (.png, .hgr, .dgr or .dhgr),
                        else png.
  --size SIZE           raw: the 562 x 192 render; export (default): 562 x 384 as "Save as
                        PNG" writes it; half, normal, double: the picture as the view shows it
                        at that size and at the --aspect in force; a number N: a thumbnail,
                        the export averaged down to fit N x N (at most 562 x 384), written
                        uncompressed for speed (file managers run it so).
  --aspect ASPECT       1.0 (default), 0.9 or 0.84: the view's aspect correction (smoothed
                        when not 1.0). Changes half, normal and double only.

Rendering:
  --engine ENGINE       dunmere, double (default), sharp (the three Quen engines), book
                        ("By the Book") or composite (Composite (NTSC): the picture as an
                        NTSC colour monitor shows it; --palette does not apply to it).
  --no-bit-shifting     "By the Book" without the half-dot delay of high-bit bytes.
  --palette PALETTE     0-7 or the palette's name: 0 Dunmere, 1 DeBabelizer, 2 "Quen's TV"
                        (default), 3 Tobrel, 4 Pell, 5 "Canon DV", 6 "IREZ CapSure", 7 IIGS.
  --mono COLOUR         A one-bit palette instead: white (the white of --palette), green or
                        amber.
  --dhgr-offset N       0 (default) or 1: columns added to every "By the Book" double hi-res
                        colour cell.

Editing, in this order before rendering:
  --to-dhgr             Converts a hi-res picture to double hi-res, as "Convert to DHGR" does.
  --shift DIRECTION     left or right: shifts the picture one dot, as "Shift Left" and "Shift
                        Right" do. Repeatable; applied in the order given.

Importing:
  --import TARGET       hgr or dhgr: every INPUT is an image (PNG, JPEG, BMP, GIF or any
                        other format Qt reads, at most 100 megapixels and 30000 pixels a side)
                        made into the hi-res or double hi-res picture that looks closest to it
                        through the engine, palette, bit shifting and --dhgr-offset given.
                        Output: the picture's screen memory (.hgr, .dgr) unless --format or the
                        -o name asks for another format; a PNG is its render.
  --dither METHOD       best (default: a dither, then a search on the error as seen from a
                        distance), none, floyd, atkinson, jarvis, stucki or sierra.
  --fit MODE            fit (default: the whole image, black bars beside it), fill (the screen
                        covered, the image cropped) or stretch; at the --aspect in force. An
                        image of exactly 560 x 192 pixels maps one pixel to each dot.
  -v, --verbose         Prints each import's measured error on standard output: the mean
                        CIEDE2000 difference from the image, blurred and unblurred.

  -h, --help            Shows this text.
  --version             Shows the version.

Exit status: 0 when every input was converted, 1 when any input failed (each failure is one
line on standard error, "INPUT: REASON", or "IMAGE: PATH: REASON" for a picture in a disk
image, whose other pictures are still converted or listed), 2 for bad usage (nothing is
written).
)";
}

std::string versionText() {
    return "orvel-convert " ORVEL_VERSION "\n";
}
