# Writes the source that links the installer's payload into the program: for every file an .incbin of
# its bytes between two symbols, and the table of Payload::embedded(). Run at every build; the source
# is rewritten only when a file's content changed (its MD5 is part of the text), so the program is
# relinked exactly then. A file that does not exist (yet) is left out with a warning.
#
# -DLIST=<file of lines "resource|file name|x or -|source path"> -DOUTPUT=<generated .cpp>
file(STRINGS "${LIST}" entries)
set(assembly "")
set(table "")
set(declarations "")
set(digests "")
foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 resource)
    list(GET fields 1 name)
    list(GET fields 2 mode)
    list(GET fields 3 source)
    if(NOT EXISTS "${source}")
        message(WARNING "installer payload: ${source} does not exist; ${name} is not embedded")
        continue()
    endif()
    file(MD5 "${source}" digest)
    set(symbol "zelmar_payload_${resource}")
    string(APPEND digests "// ${name} ${digest}\n")
    string(APPEND assembly
        "    \".globl ${symbol}_begin\\n.hidden ${symbol}_begin\\n.globl ${symbol}_end\\n.hidden ${symbol}_end\\n\"\n"
        "    \".balign 16\\n${symbol}_begin:\\n.incbin \\\"${source}\\\"\\n${symbol}_end:\\n\"\n")
    string(APPEND declarations "extern const char ${symbol}_begin[];\nextern const char ${symbol}_end[];\n")
    if(mode STREQUAL "x")
        set(executable true)
    else()
        set(executable false)
    endif()
    string(APPEND table
        "        {QStringLiteral(\"${resource}\"), QStringLiteral(\"${name}\"),\n"
        "         QByteArrayView(${symbol}_begin, ${symbol}_end - ${symbol}_begin), ${executable}},\n")
endforeach()

set(text "// Generated at build time: the installer's payload, byte for byte.\n${digests}
#include \"installer/Payload.h\"

__asm__(\".section .rodata\\n\"
${assembly}    \".previous\\n\");

extern \"C\" {
${declarations}}

const Payload& Payload::embedded() {
    static const Payload payload({
${table}    });
    return payload;
}
")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
else()
    set(previous "")
endif()
if(NOT previous STREQUAL text)
    file(WRITE "${OUTPUT}" "${text}")
endif()
