# The burn-in kernel for 32-bit x86.
# Registers: A = eax, B = ecx, C = edx, D = ebx, N (counter) = esi,
# X (index) = edi, ebp addresses the constants. A to D hold whatever they
# held; only the time the loop takes matters.

    .intel_syntax noprefix

    .section .rdata, "dr"
    .p2align 4
kernelConstants:
    .float 777.0                # +0  K777
    .float 666.0                # +4  K666
    .float 333.0                # +8  K333
    .long 0xFFFFFFFF            # +12 MASK

    .text
    .globl _RunBurnKernel
    .def _RunBurnKernel
    .scl 2
    .type 32
    .endef
    .p2align 4
_RunBurnKernel:
    push ebx
    push esi
    push edi
    push ebp
    mov eax, [esp + 20]         # the seed matrix
    mov ebp, OFFSET kernelConstants
    finit
    mov esi, 10000000
    mov edi, -1
    fld dword ptr [eax + 0]     # m[0]
    fld dword ptr [eax + 16]    # m[4]
    fld dword ptr [eax + 32]    # m[8]
    fld dword ptr [eax + 48]    # m[12]
    fld dword ptr [eax + 4]     # m[1]
    fld dword ptr [eax + 20]    # m[5]
    fld dword ptr [eax + 36]    # m[9]
    fld dword ptr [eax + 52]    # m[13]

    .p2align 4
burnLoop:
    fadd st(1), st
    fmul dword ptr [ebp + 0]
    lea eax, [eax + edi*8 + 64]
    lea ecx, [ecx + edi*8 + 64]
    lea edx, [edx + edi*8 + 64]
    fadd st(2), st
    fmul st(3), st
    fxch st(7)
    and esi, [ebp + 12]
    and edi, [ebp + 12]
    and ebx, [ebp + 12]
    fadd st(4), st
    fmul st(5), st
    fxch st(6)
    lea eax, [eax + edi*8 + 64]
    lea ecx, [ecx + edi*8 + 64]
    lea edx, [edx + edi*8 + 64]
    fmul dword ptr [ebp + 4]
    fadd st(1), st
    fxch st(4)
    fmul dword ptr [ebp + 8]
    dec esi
    jnz burnLoop

    # Eight times FSUBP ST(0), ST(0): empties the stack. Written as bytes
    # because assemblers disagree on the operand order of FSUBP.
    .rept 8
    .byte 0xDE, 0xE8
    .endr

    pop ebp
    pop edi
    pop esi
    pop ebx
    ret
