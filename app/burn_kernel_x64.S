# The burn-in kernel for x86-64: the same instruction sequence on 32-bit
# registers. Registers: A = eax, B = ecx, C = edx, D = ebx, N (counter) = esi,
# X (index) = edi, rbp addresses the constants. The seed arrives in rcx.

    .intel_syntax noprefix

    .section .rdata, "dr"
    .p2align 4
kernelConstants:
    .float 777.0                # +0  K777
    .float 666.0                # +4  K666
    .float 333.0                # +8  K333
    .long 0xFFFFFFFF            # +12 MASK

    .text
    .globl RunBurnKernel
    .def RunBurnKernel
    .scl 2
    .type 32
    .endef
    .p2align 4
RunBurnKernel:
    .seh_proc RunBurnKernel
    push rbx
    .seh_pushreg rbx
    push rsi
    .seh_pushreg rsi
    push rdi
    .seh_pushreg rdi
    push rbp
    .seh_pushreg rbp
    .seh_endprologue
    lea rbp, [rip + kernelConstants]
    finit
    mov esi, 10000000
    mov edi, -1
    fld dword ptr [rcx + 0]     # m[0]
    fld dword ptr [rcx + 16]    # m[4]
    fld dword ptr [rcx + 32]    # m[8]
    fld dword ptr [rcx + 48]    # m[12]
    fld dword ptr [rcx + 4]     # m[1]
    fld dword ptr [rcx + 20]    # m[5]
    fld dword ptr [rcx + 36]    # m[9]
    fld dword ptr [rcx + 52]    # m[13]

    .p2align 4
burnLoop:
    fadd st(1), st
    fmul dword ptr [rbp + 0]
    lea eax, [eax + edi*8 + 64]
    lea ecx, [ecx + edi*8 + 64]
    lea edx, [edx + edi*8 + 64]
    fadd st(2), st
    fmul st(3), st
    fxch st(7)
    and esi, [rbp + 12]
    and edi, [rbp + 12]
    and ebx, [rbp + 12]
    fadd st(4), st
    fmul st(5), st
    fxch st(6)
    lea eax, [eax + edi*8 + 64]
    lea ecx, [ecx + edi*8 + 64]
    lea edx, [edx + edi*8 + 64]
    fmul dword ptr [rbp + 4]
    fadd st(1), st
    fxch st(4)
    fmul dword ptr [rbp + 8]
    dec esi
    jnz burnLoop

    # Eight times FSUBP ST(0), ST(0): empties the stack. Written as bytes
    # because assemblers disagree on the operand order of FSUBP.
    .rept 8
    .byte 0xDE, 0xE8
    .endr

    pop rbp
    pop rdi
    pop rsi
    pop rbx
    ret
    .seh_endproc
