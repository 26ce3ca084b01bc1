# Bits: 1 ebx, 2 esi, 4 edi, 8 ebp, 16 esp changed by RunBurnKernel.
    .intel_syntax noprefix
    .lcomm savedStack, 4
    .text
    .globl _CallKernelCheckingRegisters
_CallKernelCheckingRegisters:
    push ebx
    push esi
    push edi
    push ebp
    mov eax, [esp + 20]
    mov ebx, 0x11111111
    mov esi, 0x22222222
    mov edi, 0x33333333
    mov ebp, 0x44444444
    push eax
    mov savedStack, esp
    call _RunBurnKernel
    xor eax, eax
    lea ecx, [eax + 16]
    cmp savedStack, esp
    cmovne eax, ecx
    add esp, 4
    lea ecx, [eax + 1]
    cmp ebx, 0x11111111
    cmovne eax, ecx
    lea ecx, [eax + 2]
    cmp esi, 0x22222222
    cmovne eax, ecx
    lea ecx, [eax + 4]
    cmp edi, 0x33333333
    cmovne eax, ecx
    lea ecx, [eax + 8]
    cmp ebp, 0x44444444
    cmovne eax, ecx
    pop ebp
    pop edi
    pop esi
    pop ebx
    ret
